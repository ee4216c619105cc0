#pragma once
// The numbered reports of velars-tp-calc (--report FILE, --reports DIR):
// the window's report, made by the same report step and the same
// automation calls, into the program's own document server kept hidden,
// which saves it to a file (DOCX, ODT or PDF) instead of showing it.
//
// The numbers come from the counter the window uses (ToolCounterPlace), in
// this order for each report: lock the counter, read N, make the write
// check on the counter's folder, store N + 1, let the lock go, then write
// report N. So a number is never given twice, whoever else writes reports
// at the same time; a report that cannot be numbered is not written, and a
// report that fails after its number was stored leaves a gap, never a
// repeat.
//
// Needs a QApplication (the offscreen platform does: no display, no word
// processor) on the calling thread.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "calc/CalculationSteps.h"
#include "files/CounterLock.h"
#include "files/CounterPlace.h"
#include "platform/PlatformServices.h"
#include "automation/ObjectFactory.h"
#include "report/ReportFile.h"
#include "report/WordConnection.h"

namespace velars::cli {

struct ReportOutcome {
    enum class Status {
        Written,      // report `number` is in the file
        NotNumbered,  // no number could be taken: nothing written, nothing numbered
        NotWritten,   // number `number` was taken, the file could not be written
    };
    Status status = Status::NotNumbered;
    std::int32_t number = 0;
    QString message;  // why, when not written
};

class ToolReports {
public:
    // `platform` must outlive the object. `detailed` adds the "Ход расчета"
    // part to every report.
    ToolReports(PlatformServices& platform, CounterPlace counter, bool detailed,
                std::chrono::milliseconds lockWait = kCounterLockWait);
    ~ToolReports();
    ToolReports(const ToolReports&) = delete;
    ToolReports& operator=(const ToolReports&) = delete;

    // Numbers and writes the report of a calculation to the file that
    // `pathOf` names for the number, in `format`. `overwrite` false: a file
    // that is there already is kept and the report is not written.
    ReportOutcome Write(const CalculationSteps& calculation,
                        const std::function<QString(std::int32_t)>& pathOf, ReportFileFormat format,
                        bool overwrite);

private:
    PlatformServices& platform_;
    CounterPlace counter_;
    bool detailed_;
    std::chrono::milliseconds lockWait_;
    ObjectFactory factory_;
    WordConnection word_;
};

// The counter of the tool's reports: the file --counter names, or else the
// counter of the window "velars-tp" beside the tool (the same per-user
// counter when installed, "velars-tp_nr.ini" beside a portable tool).
CounterPlace ToolCounterPlace(PlatformServices& platform, const std::optional<QString>& counter);

// Where a report file can be made: `folder` exists (or, with `create`, has
// been made) and a file can be created in it. Empty when so, otherwise why
// not.
QString CheckReportFolder(const QString& folder, bool create);

}  // namespace velars::cli
