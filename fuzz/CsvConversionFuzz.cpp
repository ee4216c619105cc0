// The CSV conversion on any text: the quick reader on and off, one block
// or many, one thread or several, give the same output and messages.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CsvConversion.h"

#include "FuzzCheck.h"

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::vector<std::string> reports;
    bool operator==(const Outcome&) const = default;
};

class RecordingSink : public velars::cli::CsvSink {
public:
    explicit RecordingSink(Outcome& outcome) : outcome_(outcome) {}
    bool Write(std::string_view text) override {
        outcome_.out.append(text);
        return true;
    }
    void Report(const std::string& message) override { outcome_.reports.push_back(message); }

private:
    Outcome& outcome_;
};

Outcome Convert(const std::string& text, const velars::cli::CsvSettings& settings) {
    velars::cli::InputText input;
    input.Assign(text);
    Outcome outcome;
    RecordingSink sink(outcome);
    outcome.status = velars::cli::ConvertCsv(input, settings, sink);
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    velars::cli::CsvSettings reference;
    reference.threads = 1;
    reference.fastPath = false;
    const Outcome expected = Convert(text, reference);

    velars::cli::CsvSettings quick;
    quick.threads = 1;
    FUZZ_CHECK(Convert(text, quick) == expected);

    // Small blocks read a few bytes at a time, converted by two threads.
    velars::cli::CsvSettings cut;
    cut.threads = 2;
    cut.blockBytes = 1 + size % 61;
    cut.readBytes = 1 + size % 7;
    cut.blockRecords = 1 + static_cast<long>(size % 3);
    FUZZ_CHECK(Convert(text, cut) == expected);
    return 0;
}
