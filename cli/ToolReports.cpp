#include "cli/ToolReports.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include "docserver/DocumentServer.h"
#include "files/ReportCounter.h"
#include "numbers/Exception.h"
#include "automation/Automation.h"
#include "report/ReportContent.h"
#include "report/ReportStep.h"

namespace velars::cli {

namespace {

// The window's own program name: its counter is the one the tool shares.
const QString kWindowProgram = QStringLiteral("velars-tp");

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

ToolReports::ToolReports(PlatformServices& platform, CounterPlace counter, bool detailed,
                         std::chrono::milliseconds lockWait)
    : platform_(platform), counter_(std::move(counter)), detailed_(detailed), lockWait_(lockWait) {
    RegisterDocumentServer(factory_, platform_, DocumentDisplay::Hidden);
}

// The document of the last report goes with the connection's objects.
ToolReports::~ToolReports() = default;

ReportOutcome ToolReports::Write(const CalculationSteps& calculation,
                                 const std::function<QString(std::int32_t)>& pathOf,
                                 ReportFileFormat format, bool overwrite) {
    ReportOutcome outcome;
    try {
        outcome.number = TakeReportNumber(counter_, lockWait_);
    } catch (const Exception& error) {
        outcome.status = ReportOutcome::Status::NotNumbered;
        outcome.message = error.Message();
        return outcome;
    }
    outcome.status = ReportOutcome::Status::NotWritten;
    const QString path = pathOf(outcome.number);
    if (!overwrite && QFileInfo::exists(path)) {
        outcome.message = QStringLiteral("'%1' is there already and is kept").arg(Shown(path));
        return outcome;
    }

    ReportInputs inputs;
    inputs.model = calculation.model;
    inputs.section = calculation.section;
    // The diameter as the window's list shows it.
    inputs.dyText = QString::number(calculation.record.valDy);
    inputs.record = calculation.record;
    if (detailed_) inputs.steps = calculation;
    try {
        // No main window: Word's window is placed as for one of no size.
        if (!RunNumberedReportStep(word_, factory_, platform_, QSize(), inputs, outcome.number)) {
            outcome.message = QStringLiteral("the document server did not start");
            return outcome;
        }
        SaveReportDocument(word_, path, format);
    } catch (const EOleSysError&) {
        // The server's own words stay in its exception record; what counts
        // here is the file.
        outcome.message = QStringLiteral("'%1' could not be written").arg(Shown(path));
        return outcome;
    } catch (const Exception& error) {
        outcome.message =
            QStringLiteral("'%1' could not be written (%2)").arg(Shown(path), error.Message());
        return outcome;
    }
    outcome.status = ReportOutcome::Status::Written;
    return outcome;
}

CounterPlace ToolCounterPlace(PlatformServices& platform, const std::optional<QString>& counter) {
    return counter ? CounterPlaceOfFile(*counter) : FindCounterPlaceOf(platform, kWindowProgram);
}

QString CheckReportFolder(const QString& folder, bool create) {
    const QString shown = Shown(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QFileInfo info(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!info.exists() && create && !QDir().mkpath(info.absoluteFilePath()))
        return QStringLiteral("the folder '%1' cannot be made").arg(shown);
    if (!QFileInfo(info.absoluteFilePath()).isDir())
        return QStringLiteral("'%1' is not a folder").arg(shown);
    QTemporaryFile probe(QDir(info.absoluteFilePath()).filePath(QStringLiteral(".velars-XXXXXX")));
    if (!probe.open())
        return QStringLiteral("no file can be made in the folder '%1': %2")
            .arg(shown, probe.errorString());
    return {};
}

}  // namespace velars::cli
