#pragma once
// The CSV output written to a file descriptor (standard output or a file
// the tool created), the messages to standard error.

#include <string>

#include "cli/CsvConversion.h"

namespace velars::cli {

class StreamSink : public CsvSink {
public:
    // Writes to standard output.
    StreamSink();
    ~StreamSink() override;

    // Creates or empties the file and writes to it instead. On failure
    // returns false and sets `error`.
    bool OpenFile(const std::string& path, std::string& error);

    bool Write(std::string_view text) override;
    // Closes the file the sink created (standard output is left open);
    // false, with the reason reported, when closing fails.
    bool Close();
    void Report(const std::string& message) override;

private:
    int fd_;
    bool ownsFd_ = false;
    std::string name_ = "standard output";
};

}  // namespace velars::cli
