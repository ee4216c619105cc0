#include "cli/BatchReports.h"

#include <QDir>

namespace velars::cli {

namespace {

constexpr int kNotNumbered = 1;
constexpr int kNotWritten = 2;

}  // namespace

BatchReports::BatchReports(ToolReports& reports, QString folder, ReportFileFormat format)
    : reports_(reports), folder_(std::move(folder)), format_(format) {}

std::string BatchReports::Report(long row, const CalculationSteps& calculation, CsvSink& sink) {
    if (status_ != 0) return {};
    const QDir folder(folder_);
    const QString extension = ExtensionOf(format_);
    const ReportOutcome outcome = reports_.Write(
        calculation,
        [&](std::int32_t number) {
            return folder.filePath(QStringLiteral("report-%1.%2").arg(number).arg(extension));
        },
        format_, false);
    const std::string where = "row " + std::to_string(row) + ": ";
    const std::string rest = "; the rows after it get no report";
    switch (outcome.status) {
    case ReportOutcome::Status::Written: return std::to_string(outcome.number);
    case ReportOutcome::Status::NotNumbered:
        status_ = kNotNumbered;
        sink.Report(where + "no report: " + outcome.message.toStdString() + rest);
        return {};
    case ReportOutcome::Status::NotWritten:
        status_ = kNotWritten;
        sink.Report(where + "report " + std::to_string(outcome.number) +
                    " not written: " + outcome.message.toStdString() + rest);
        return {};
    }
    return {};
}

}  // namespace velars::cli
