#pragma once
// velars-tp-calc --compare: every choice of the catalogue for one gas and
// flow, sorted by the loss.

#include <QString>

#include "cli/ToolOptions.h"
#include "numbers/Separators.h"

namespace velars::cli {

// Appends the table (or with --csv the CSV) to `out`, problems to `err`.
// With --max-loss only the choices at or under the limit are listed, and a
// line says how many were left out (on `err` with --csv, so that the CSV
// stays clean). Returns 0; 1 for invalid gas data, 2 for an unusable limit.
int RunCompare(const ToolOptions& options, const Separators& separators, QString& out,
               QString& err);

}  // namespace velars::cli
