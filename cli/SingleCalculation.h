#pragma once
// The tool's calculation of one installation given on the command line.

#include <QString>

#include "calc/CalculationSteps.h"
#include "cli/InstallationInput.h"
#include "numbers/Separators.h"

namespace velars::cli {

// Reads and calculates the installation and appends to `out` exactly the
// lines the window's results pane shows, one per line, numbers with the
// given separators; with `verbose` an empty line and the intermediate values
// of the model follow. Problems are appended to `err`, one per line: every
// invalid input with its field and option, or the floating-point fault.
// Returns 0, or 1 when nothing could be calculated. With `steps`, a
// calculation that succeeded leaves its intermediate values there (the same
// that --verbose prints).
int CalculateSingle(const InstallationTexts& texts, bool verbose, const Separators& separators,
                    QString& out, QString& err, CalculationSteps* steps = nullptr);

}  // namespace velars::cli
