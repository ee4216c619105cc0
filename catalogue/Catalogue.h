#pragma once
// The six flow-meter models, their measuring-section lists and diameters.
// Fixed data of the program.

#include <QString>
#include <QStringList>

namespace velars::catalogue {

constexpr int kModelCount = 6;
constexpr int kCutInModel = 2;  // the only model that needs L/Dy

// Item texts of the model list, in model-index order.
const QStringList& ModelNames();

// Section list of a model (S4 for 0..2, S3 for 3 and 5, S2 for 4); empty
// for an index outside 0..5.
const QStringList& SectionsOf(int model);

// Diameter texts of a model, in list order; empty outside 0..5.
const QStringList& DiametersOf(int model);

// Whether the model needs the L/Dy field.
bool NeedsLDy(int model);

}  // namespace velars::catalogue
