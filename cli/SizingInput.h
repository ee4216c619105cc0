#pragma once
// The inputs of the sizing modes: the gas data read as the one-installation
// mode reads them, and the values of the sizing options.

#include <QString>
#include <optional>
#include <vector>

#include "cli/InstallationInput.h"

namespace velars::cli {

// "field 'flow' (--flow): 'abc' is not a valid floating point value" and an
// LF for each error, as the one-installation mode reports them.
QString ErrorLines(const std::vector<FieldError>& errors);

// The five gas inputs (and L/Dy when given) read through the window's
// validation, for a comparison of every choice. The device is not read.
std::vector<FieldError> ReadGas(const InstallationTexts& texts, QChar decimalSeparator,
                                Installation& gas);

// --max-loss: a number of pascals as the fields read numbers. An empty
// text on success, else what is wrong.
QString ReadLimit(const QString& text, QChar decimalSeparator, long double& limit);

}  // namespace velars::cli
