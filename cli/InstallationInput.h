#pragma once
// One installation read from texts the way the window reads its controls,
// and its calculation. This is the reference reading of the tool: a single
// installation from the command line always goes through it, and so does
// every CSV row that the bulk path does not take.

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "cli/ToolFields.h"
#include "calc/CalcRecord.h"
#include "calc/LossModel.h"

namespace velars::cli {

// The texts of the nine inputs; an input that was not given has none.
struct InstallationTexts {
    std::array<std::optional<QString>, kFieldCount> texts;

    void Set(Field field, const QString& text) { texts[IndexOf(field)] = text; }
    const std::optional<QString>& Get(Field field) const { return texts[IndexOf(field)]; }
};

// A valid installation, ready for the loss model. The record starts zeroed
// for every installation, so no value of an earlier one is ever used.
struct Installation {
    int model = -1;
    int section = -1;
    CalcRecord record;  // the five inputs in SI units and valDy
    QString ldyText;    // read by the loss model for the cut-in model
};

struct FieldError {
    Field field;
    QString message;  // "missing", "'abc' is not a valid floating point value", ...
};

// Resolves the device and reads the five values as the window's validation
// does (kPa x 1000, MPa x 10^6, degrees Celsius + 273.15, each stored as
// single). L/Dy is needed and tested for the cut-in model only. Returns one
// error for each invalid input, in field order; none when all are valid.
std::vector<FieldError> ReadInstallation(const InstallationTexts& texts, QChar decimalSeparator,
                                         Installation& installation);

// The loss model on a valid installation: CalcCoefficients, SumCoefficients
// and CalcLoss. Floating-point faults raise EZeroDivide, EOverflow or
// EInvalidOp.
void Calculate(Installation& installation, QChar decimalSeparator, LossTrace* trace = nullptr);

}  // namespace velars::cli
