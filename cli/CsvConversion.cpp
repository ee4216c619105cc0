#include "cli/CsvConversion.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/CsvColumns.h"
#include "cli/CsvRecords.h"
#include "cli/CsvRowCalculation.h"
#include "cli/MessageText.h"
#include "cli/RecordBlocks.h"

namespace velars::cli {

namespace {

// Blocks in memory at once, read or converted or waiting to be written.
constexpr std::size_t kMostBlocksHeld = 16;

struct RowError {
    long row;  // position of the record within its block
    std::string message;
};

// A row calculated while reports are written: where its output line ends
// (one past its LF) and its calculation.
struct ReportRow {
    long row;  // position of the record within its block
    std::size_t lineEnd;
    CalculationSteps steps;
};

struct Job {
    RecordBlock block;
    std::size_t bodyStart = 0;  // the records before it were the header
    std::string out;
    std::vector<RowError> errors;
    std::vector<ReportRow> reportRows;  // only while reports are written
    long records = 0;                   // records read, empty lines included
    long rows = 0;                      // installations
    long failed = 0;                    // installations left out
    bool done = false;
};

std::string ColumnLabel(const CsvColumns& columns, std::size_t index) {
    std::string label;
    if (index < columns.names.size()) {
        label.push_back('\'');
        label.append(ShownText(columns.names[index]));
        label.push_back('\'');
    } else {
        label.append("number ").append(std::to_string(index + 1));
    }
    return label;
}

void ConvertJob(Job& job, char separator, const CsvColumns& columns,
                const CsvRowCalculation& calculation, bool withReports) {
    if (job.block.overlong) {
        job.records = job.rows = job.failed = 1;
        job.errors.push_back({0, job.block.unterminated
                                     ? "line longer than 1 MiB: a quote in it is never closed, "
                                       "so the rest of the file went into one field"
                                     : "line longer than 1 MiB"});
        return;
    }
    std::string& text = job.block.text;
    CsvRecords records(text.data() + job.bodyStart, text.data() + text.size(), separator);
    std::vector<std::string_view> fields;
    std::vector<std::string> messages;
    job.out.reserve((text.size() - job.bodyStart) * 3 + 256);
    while (records.Next(fields)) {
        const long row = job.records++;
        if (records.Blank()) continue;
        ++job.rows;
        messages.clear();
        if (records.Unterminated()) {
            const std::string_view open = fields.back();
            const auto lines = std::count(open.begin(), open.end(), '\n') +
                               (!open.empty() && open.back() != '\n' ? 1 : 0);
            messages.push_back("the quote that opens field " +
                               ColumnLabel(columns, fields.size() - 1) +
                               " is never closed: the rest of the file (" + std::to_string(lines) +
                               (lines == 1 ? " line" : " lines") + ") went into that field");
        } else if (!withReports) {
            if (calculation.Process(fields, job.out, messages)) continue;
        } else {
            CalculationSteps steps;
            if (calculation.Process(fields, job.out, messages, &steps)) {
                job.reportRows.push_back({row, job.out.size(), steps});
                continue;
            }
        }
        ++job.failed;
        for (std::string& message : messages) job.errors.push_back({row, std::move(message)});
    }
    // The text is not needed any more; the output waits to be written.
    std::string().swap(text);
}

std::string RowMessage(long row, const std::string& message) {
    return "row " + std::to_string(row) + ": " + message;
}

// The job's messages and output with each calculated row's report column,
// row by row. `firstRow` is the row number of the block's first record.
// False when the output could not be written.
bool WriteWithReports(Job& job, long firstRow, CsvRowReports& reports, CsvSink& sink) {
    std::string out;
    std::size_t from = 0;
    std::size_t error = 0;
    for (const ReportRow& reportRow : job.reportRows) {
        for (; error < job.errors.size() && job.errors[error].row < reportRow.row; ++error)
            sink.Report(RowMessage(firstRow + job.errors[error].row, job.errors[error].message));
        // The line without its LF, the report column, the LF.
        out.append(job.out, from, reportRow.lineEnd - 1 - from);
        out.push_back(',');
        out.append(reports.Report(firstRow + reportRow.row, reportRow.steps, sink));
        out.push_back('\n');
        from = reportRow.lineEnd;
        // Each line goes out with its report, so that the output shows how
        // far the reports got.
        if (!sink.Write(out)) return false;
        out.clear();
    }
    for (; error < job.errors.size(); ++error)
        sink.Report(RowMessage(firstRow + job.errors[error].row, job.errors[error].message));
    return true;
}

}  // namespace

int ConvertCsv(InputText& input, const CsvSettings& settings, CsvSink& sink) {
    RecordBlocks blocks(input, settings.blockBytes, settings.readBytes, RecordBlocks::kRecordLimit,
                        settings.blockRecords);
    std::string error;
    const std::string kEmpty = "the file is empty: the first row must name the columns";

    std::string_view firstLine;
    bool overlong = false;
    switch (blocks.FirstLine(firstLine, overlong, error)) {
    case RecordBlocks::Status::End: sink.Report(kEmpty); return kCannotConvert;
    case RecordBlocks::Status::Failed:
        sink.Report(overlong ? RowMessage(blocks.EmptyRowsBefore() + 1, "line longer than 1 MiB")
                             : error);
        return kCannotConvert;
    case RecordBlocks::Status::Block: break;
    }
    const char separator = DetectSeparator(firstLine);
    blocks.SetSeparator(separator);

    // The header: the first record that is not empty.
    Job first;
    std::vector<std::string_view> header;
    long rowsBeforeBody = blocks.EmptyRowsBefore();
    bool haveHeader = false;
    while (!haveHeader) {
        const RecordBlocks::Status status = blocks.Next(first.block, error);
        if (status == RecordBlocks::Status::End) break;
        if (status == RecordBlocks::Status::Failed) {
            sink.Report(error);
            return kCannotConvert;
        }
        if (first.block.overlong) {
            sink.Report(RowMessage(rowsBeforeBody + 1, "line longer than 1 MiB"));
            return kCannotConvert;
        }
        std::string& text = first.block.text;
        CsvRecords records(text.data(), text.data() + text.size(), separator);
        while (records.Next(header)) {
            ++rowsBeforeBody;
            if (!records.Blank()) {
                haveHeader = true;
                first.bodyStart = static_cast<std::size_t>(records.Position() - text.data());
                break;
            }
        }
    }
    if (!haveHeader) {
        sink.Report(kEmpty);
        return kCannotConvert;
    }
    CsvColumns columns;
    if (const std::string problem = MapColumns(header, columns); !problem.empty()) {
        sink.Report(problem);
        return kCannotConvert;
    }
    const CsvRowCalculation calculation(columns, settings.fastPath);
    const bool withReports = settings.reports != nullptr;
    std::string headerLine;
    calculation.AppendHeader(headerLine);
    if (settings.reports) {
        headerLine.pop_back();
        headerLine.append(",report\n");
    }
    if (!sink.Write(headerLine)) return kCannotConvert;

    const int threads = settings.threads > 0
                            ? settings.threads
                            : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const std::size_t mostHeld =
        threads > 1 ? std::min(kMostBlocksHeld, static_cast<std::size_t>(threads) * 2) : 1;
    const int workerCount = threads > 1 ? std::min(threads, static_cast<int>(mostHeld)) : 0;

    std::deque<Job> held;      // in the order of the rows
    std::deque<Job*> waiting;  // for a worker
    std::mutex mutex;
    std::condition_variable workReady;
    std::condition_variable finished;
    bool stop = false;
    auto work = [&] {
        for (;;) {
            Job* job;
            {
                std::unique_lock lock(mutex);
                workReady.wait(lock, [&] { return stop || !waiting.empty(); });
                if (waiting.empty()) return;
                job = waiting.front();
                waiting.pop_front();
            }
            ConvertJob(*job, separator, columns, calculation, withReports);
            {
                std::lock_guard lock(mutex);
                job->done = true;
            }
            finished.notify_all();
        }
    };
    const auto hold = [&](Job&& job) {
        held.push_back(std::move(job));
        if (workerCount == 0) return;
        {
            std::lock_guard lock(mutex);
            waiting.push_back(&held.back());
        }
        workReady.notify_one();
    };
    std::vector<std::thread> workers;
    for (int i = 0; i < workerCount; ++i) workers.emplace_back(work);

    hold(std::move(first));
    bool inputDone = false;
    bool inputFailed = false;
    bool writeFailed = false;
    long rowNumber = rowsBeforeBody;  // of the last record before the block
    long rows = 0;
    long failed = 0;
    for (;;) {
        while (!inputDone && held.size() < mostHeld) {
            Job job;
            const RecordBlocks::Status status = blocks.Next(job.block, error);
            if (status != RecordBlocks::Status::Block) {
                inputDone = true;
                inputFailed = status == RecordBlocks::Status::Failed;
                break;
            }
            hold(std::move(job));
        }
        if (held.empty()) break;
        // The output and the messages, in the order of the rows.
        Job& job = held.front();
        if (workerCount == 0) {
            ConvertJob(job, separator, columns, calculation, withReports);
        } else {
            std::unique_lock lock(mutex);
            finished.wait(lock, [&] { return job.done; });
        }
        if (withReports) {
            if (!WriteWithReports(job, rowNumber + 1, *settings.reports, sink)) {
                writeFailed = true;
                break;
            }
        } else {
            for (const RowError& rowError : job.errors)
                sink.Report(RowMessage(rowNumber + rowError.row + 1, rowError.message));
            if (!sink.Write(job.out)) {
                writeFailed = true;
                break;
            }
        }
        rowNumber += job.records;
        rows += job.rows;
        failed += job.failed;
        held.pop_front();
    }
    {
        std::lock_guard lock(mutex);
        stop = true;
        waiting.clear();
    }
    workReady.notify_all();
    for (std::thread& worker : workers) worker.join();

    if (writeFailed) return kCannotConvert;
    if (inputFailed) {
        sink.Report(error);
        return kCannotConvert;
    }
    if (failed > 0) {
        sink.Report(std::to_string(failed) + " of " + std::to_string(rows) + " rows failed");
        return kSomeRowsFailed;
    }
    return kAllRowsDone;
}

}  // namespace velars::cli
