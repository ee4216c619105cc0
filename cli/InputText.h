#pragma once
// The bytes of an input file, read in bounded pieces: a regular file, a
// pipe, a device or standard input alike. Nothing is mapped, so a file that
// another program shortens while it is read cannot fault the process; it is
// told as an error instead.

#include <cstddef>
#include <string>

namespace velars::cli {

class InputText {
public:
    InputText() = default;
    ~InputText();
    InputText(const InputText&) = delete;
    InputText& operator=(const InputText&) = delete;

    // "-" reads standard input. On failure returns false and sets `error`.
    bool Open(const std::string& path, std::string& error);
    // Takes the text from memory (tests).
    void Assign(std::string text);

    // Appends up to `most` bytes to `buffer`. Returns the number appended,
    // 0 at the end of the input, or -1 with `error` set when reading fails
    // or a regular file turns out shorter than it was when opened.
    long Read(std::string& buffer, std::size_t most, std::string& error);

private:
    int fd_ = -1;
    bool ownsFd_ = false;
    std::string name_;
    bool regular_ = false;
    unsigned long long sizeAtOpen_ = 0;
    unsigned long long read_ = 0;
    std::string text_;  // with Assign
    bool fromText_ = false;
};

}  // namespace velars::cli
