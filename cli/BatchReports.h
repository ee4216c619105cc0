#pragma once
// velars-tp-calc --csv FILE --reports DIR: one numbered report per row that
// was calculated, in the order of the rows, as DIR/report-<N>.<format>; the
// row's "report" column holds N. A file of that name that is there already
// is kept. Once a report cannot be numbered or written, the tool says why
// and the rows after it get no report and an empty column: a batch never
// skips back, and never gives a number twice.

#include <QString>
#include <string>

#include "cli/CsvConversion.h"
#include "cli/ToolReports.h"

namespace velars::cli {

class BatchReports : public CsvRowReports {
public:
    BatchReports(ToolReports& reports, QString folder, ReportFileFormat format);

    std::string Report(long row, const CalculationSteps& calculation, CsvSink& sink) override;

    // 0 while every row got its report; 1 after a report that could not be
    // numbered; 2 after a report file that could not be written.
    int Status() const { return status_; }

private:
    ToolReports& reports_;
    QString folder_;
    ReportFileFormat format_;
    int status_ = 0;
};

}  // namespace velars::cli
