#pragma once
// The text of the results pane after a calculation, and the three bold runs.

#include <QString>
#include <QStringList>
#include <array>

#include "calc/CalcRecord.h"
#include "numbers/Separators.h"

namespace velars {

// Four lines for section 0, nine for any other section.
QStringList ResultLines(const CalcRecord& record, int section, const Separators& separators);

// A selection in the pane, counting a line end as one character.
struct BoldRun {
    int start = 0;
    int length = 0;
};

// The three bold runs, found by the marker search over `paneText`, the
// pane's whole text with every line ending in CR LF. A run whose markers are
// missing comes out with a negative start and changes nothing visible.
std::array<BoldRun, 3> FindBoldRuns(const QString& paneText);

}  // namespace velars
