#pragma once
// The CSV mode of the tool: every row of an input file calculated and
// written as a row of the output, bad rows reported and passed over.

#include <cstddef>
#include <string>
#include <string_view>

#include "calc/CalculationSteps.h"
#include "cli/InputText.h"

namespace velars::cli {

// Where the output text and the messages go.
class CsvSink {
public:
    virtual ~CsvSink() = default;
    // Appends output text; false when it could not be written (the sink
    // has reported why).
    virtual bool Write(std::string_view text) = 0;
    // One message line, without its line end.
    virtual void Report(const std::string& message) = 0;
};

// Writes a report for each row that was calculated. Called on the thread
// that runs ConvertCsv, once per calculated row in the order of the rows,
// as the row's output line is written.
class CsvRowReports {
public:
    virtual ~CsvRowReports() = default;
    // `row` is counted as in the messages (the header being row 1). Returns
    // the text of the row's "report" column, empty when no report was
    // written; messages go to `sink`.
    virtual std::string Report(long row, const CalculationSteps& calculation, CsvSink& sink) = 0;
};

struct CsvSettings {
    int threads = 0;       // worker threads; 0: one per processor
    bool fastPath = true;  // read plain rows without Qt strings
    // The input is converted in blocks of whole records, of about this many
    // bytes and at most this many records, read this many bytes at a time; at most a few blocks are
    // held at once, whatever the number of threads.
    std::size_t blockBytes = 256 * 1024;
    long blockRecords = 2048;
    std::size_t readBytes = 128 * 1024;
    // With reports, the output gets a last column "report" that holds what
    // they answer for each row.
    CsvRowReports* reports = nullptr;
};

// Exit statuses of the conversion.
constexpr int kAllRowsDone = 0;
constexpr int kSomeRowsFailed = 1;
constexpr int kCannotConvert = 2;

// Converts the text of `input` as it is read, writing the output in the
// order of the rows as it is produced. The header row (the first line that
// is not empty) names the columns; every other non-empty row is one
// installation. Rows are numbered as lines of a spreadsheet, the header
// being row 1. A bad row is reported as "row N: ..." once per problem and
// left out of the output; so is a record longer than 1 MiB ("line longer
// than 1 MiB"), which is never held in memory. Returns kAllRowsDone,
// kSomeRowsFailed (after a last message "K of M rows failed", M counting
// the rows read), or kCannotConvert when there is no usable header, the
// input could not be read to its end or the output could not be written.
int ConvertCsv(InputText& input, const CsvSettings& settings, CsvSink& sink);

}  // namespace velars::cli
