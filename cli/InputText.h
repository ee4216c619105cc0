#pragma once
// The whole text of an input file in writable memory: a private mapping of
// a regular file (pages are copied only where the text is changed), or the
// bytes read from a pipe or standard input.

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

    char* begin() { return data_; }
    char* end() { return data_ + size_; }
    std::size_t size() const { return size_; }

private:
    bool ReadAll(int fd, const std::string& path, std::string& error);

    char* data_ = nullptr;
    std::size_t size_ = 0;
    void* mapping_ = nullptr;
    std::string buffer_;
};

}  // namespace velars::cli
