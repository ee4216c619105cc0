#include "cli/CsvConversion.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/CsvColumns.h"
#include "cli/CsvRecords.h"
#include "cli/CsvRowCalculation.h"

namespace velars::cli {

namespace {

// Bodies below this size are converted by one thread.
constexpr std::size_t kParallelFrom = 256 * 1024;
constexpr std::size_t kSmallestChunk = 128 * 1024;
constexpr std::size_t kLargestChunk = 4 * 1024 * 1024;

struct RowError {
    long row;  // position of the record within its chunk
    std::string message;
};

struct Chunk {
    char* begin = nullptr;
    char* end = nullptr;
    std::string out;
    std::vector<RowError> errors;
    long records = 0;  // records read, empty lines included
    long rows = 0;     // installations
    long failed = 0;   // installations left out
    bool done = false;
};

void ConvertChunk(Chunk& chunk, char separator, const CsvRowCalculation& calculation) {
    CsvRecords records(chunk.begin, chunk.end, separator);
    std::vector<std::string_view> fields;
    std::vector<std::string> messages;
    chunk.out.reserve(static_cast<std::size_t>(chunk.end - chunk.begin) * 2 + 256);
    while (records.Next(fields)) {
        const long row = chunk.records++;
        if (records.Blank()) continue;
        ++chunk.rows;
        messages.clear();
        if (records.Unterminated()) {
            messages.push_back("a quoted field has no closing quote");
        } else if (calculation.Process(fields, chunk.out, messages)) {
            continue;
        }
        ++chunk.failed;
        for (std::string& message : messages) chunk.errors.push_back({row, std::move(message)});
    }
}

// Chunk starts at record boundaries, about `size` bytes apart. Without any
// quote in the text every line is a record; otherwise the records are
// followed from the start.
std::vector<char*> ChunkStarts(char* begin, char* end, char separator, std::size_t size) {
    std::vector<char*> starts{begin};
    if (std::memchr(begin, '"', static_cast<std::size_t>(end - begin)) == nullptr) {
        char* p = begin + size;
        while (p < end) {
            char* lineEnd = static_cast<char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (lineEnd == nullptr || lineEnd + 1 >= end) break;
            starts.push_back(lineEnd + 1);
            p = lineEnd + 1 + size;
        }
    } else {
        CsvRecords scan(begin, end, separator, /*unquote=*/false);
        std::vector<std::string_view> fields;
        while (scan.Next(fields)) {
            char* next = const_cast<char*>(scan.Position());
            if (next < end && static_cast<std::size_t>(next - starts.back()) >= size) starts.push_back(next);
        }
    }
    return starts;
}

// The first line that is not empty.
std::string_view FirstLine(const char* begin, const char* end) {
    const char* p = begin;
    while (p < end && (*p == '\n' || *p == '\r')) ++p;
    const char* lineEnd = std::find(p, end, '\n');
    return std::string_view(p, static_cast<std::size_t>(lineEnd - p));
}

}  // namespace

int ConvertCsv(InputText& input, const CsvSettings& settings, CsvSink& sink) {
    char* begin = input.begin();
    char* const end = input.end();
    if (end - begin >= 3 && std::memcmp(begin, "\xEF\xBB\xBF", 3) == 0) begin += 3;

    const char separator = DetectSeparator(FirstLine(begin, end));
    CsvRecords records(begin, end, separator);
    std::vector<std::string_view> header;
    long rowsBeforeBody = 0;
    bool haveHeader = false;
    while (records.Next(header)) {
        ++rowsBeforeBody;
        if (!records.Blank()) {
            haveHeader = true;
            break;
        }
    }
    if (!haveHeader) {
        sink.Report("the file is empty: the first row must name the columns");
        return kCannotConvert;
    }
    CsvColumns columns;
    if (const std::string problem = MapColumns(header, columns); !problem.empty()) {
        sink.Report(problem);
        return kCannotConvert;
    }
    const CsvRowCalculation calculation(columns, settings.fastPath);
    std::string headerLine;
    calculation.AppendHeader(headerLine);
    if (!sink.Write(headerLine)) return kCannotConvert;

    char* const body = const_cast<char*>(records.Position());
    const std::size_t bodySize = static_cast<std::size_t>(end - body);
    const int threads = settings.threads > 0
                            ? settings.threads
                            : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    std::vector<char*> starts{body};
    if (threads > 1 && bodySize >= kParallelFrom) {
        const std::size_t size = std::clamp(bodySize / (static_cast<std::size_t>(threads) * 8),
                                            kSmallestChunk, kLargestChunk);
        starts = ChunkStarts(body, end, separator, size);
    }
    std::vector<Chunk> chunks(starts.size());
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        chunks[i].begin = starts[i];
        chunks[i].end = i + 1 < starts.size() ? starts[i + 1] : end;
    }

    std::mutex mutex;
    std::condition_variable finished;
    std::size_t nextChunk = 0;
    bool stop = false;
    auto work = [&] {
        for (;;) {
            std::size_t index;
            {
                std::lock_guard lock(mutex);
                if (stop || nextChunk == chunks.size()) return;
                index = nextChunk++;
            }
            ConvertChunk(chunks[index], separator, calculation);
            {
                std::lock_guard lock(mutex);
                chunks[index].done = true;
            }
            finished.notify_all();
        }
    };
    std::vector<std::thread> workers;
    const int workerCount = std::min<int>(threads, static_cast<int>(chunks.size()));
    if (workerCount > 1)
        for (int i = 0; i < workerCount; ++i) workers.emplace_back(work);

    // The output and the messages, in the order of the rows.
    int status = kAllRowsDone;
    long rowNumber = rowsBeforeBody;  // of the last record before the chunk
    long rows = 0;
    long failed = 0;
    for (Chunk& chunk : chunks) {
        if (workers.empty()) {
            ConvertChunk(chunk, separator, calculation);
        } else {
            std::unique_lock lock(mutex);
            finished.wait(lock, [&] { return chunk.done; });
        }
        for (const RowError& error : chunk.errors)
            sink.Report("row " + std::to_string(rowNumber + error.row + 1) + ": " + error.message);
        rowNumber += chunk.records;
        rows += chunk.rows;
        failed += chunk.failed;
        if (!sink.Write(chunk.out)) {
            status = kCannotConvert;
            std::lock_guard lock(mutex);
            stop = true;
            break;
        }
        std::string().swap(chunk.out);
    }
    for (std::thread& worker : workers) worker.join();
    if (status == kAllRowsDone && failed > 0) {
        sink.Report(std::to_string(failed) + " of " + std::to_string(rows) + " rows failed");
        status = kSomeRowsFailed;
    }
    return status;
}

}  // namespace velars::cli
