#pragma once
// The device of one installation as the command line or a CSV row names it:
// model, measuring section and nominal diameter, each by its position in the
// window's list or by the catalogue's text.

#include <QString>
#include <string_view>

namespace velars::cli {

// Model index 0..5 for a number in that range; -1 otherwise.
int ModelFromNumber(int number);
// Section index for a number within the model's section list; -1 otherwise.
int SectionFromNumber(int model, int number);
// Diameter in mm for a number that is one of the model's diameters, or else
// a position in its diameter list; -1 otherwise. The diameters are all
// larger than the longest list, so the two readings never meet.
int DiameterFromNumber(int model, int number);

// A whole number of at most 9 ASCII digits, -1 for anything else.
int SmallNumber(std::string_view text);
int SmallNumber(QStringView text);

// Resolve a text (surrounding blanks ignored). On failure the result is -1
// and `error` says what is wrong, naming the valid choices.
// Model: its index, its full name or its name without the bracketed
// description, letter case ignored.
int ResolveModel(const QString& text, QString* error);
// Section of `model` (0..5): its index or its text, letter case ignored.
int ResolveSection(int model, const QString& text, QString* error);
// Diameter of `model` (0..5) in mm: the diameter itself or its position.
int ResolveDiameter(int model, const QString& text, QString* error);

}  // namespace velars::cli
