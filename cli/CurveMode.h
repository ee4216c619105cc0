#pragma once
// velars-tp-calc --curve: the loss of one choice over a range of flows, as
// a table, CSV or a drawn curve.

#include <QSize>
#include <QString>

#include "cli/ToolOptions.h"
#include "numbers/Separators.h"

namespace velars::cli {

// The size of a drawn curve unless --plot-size says otherwise.
inline constexpr QSize kDefaultPlotSize{900, 560};
// Points of the curve unless --points says otherwise.
inline constexpr int kDefaultCurvePoints = 21;

// Appends the table (or with --csv the CSV) to `out`, problems to `err`;
// with --plot also draws the curve into the file, which needs a
// QApplication. Returns 0; 1 for invalid inputs, 2 for unusable options or
// an image that cannot be written.
int RunCurve(const ToolOptions& options, const Separators& separators, QString& out, QString& err);

}  // namespace velars::cli
