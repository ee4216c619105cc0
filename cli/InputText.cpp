#include "cli/InputText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velars::cli {

InputText::~InputText() {
    if (ownsFd_) close(fd_);
}

void InputText::Assign(std::string text) {
    text_ = std::move(text);
    fromText_ = true;
    read_ = 0;
}

bool InputText::Open(const std::string& path, std::string& error) {
    int fd = STDIN_FILENO;
    name_ = "standard input";
    if (path != "-") {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            error = "cannot open '" + path + "': " + std::strerror(errno);
            return false;
        }
        ownsFd_ = true;
        name_ = "'" + path + "'";
    }
    fd_ = fd;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        regular_ = true;
        sizeAtOpen_ = static_cast<unsigned long long>(info.st_size);
        posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    return true;
}

long InputText::Read(std::string& buffer, std::size_t most, std::string& error) {
    if (fromText_) {
        const std::size_t count = std::min<std::size_t>(most, text_.size() - read_);
        buffer.append(text_, read_, count);
        read_ += count;
        return static_cast<long>(count);
    }
    const std::size_t old = buffer.size();
    buffer.resize(old + most);
    for (;;) {
        const ssize_t count = read(fd_, buffer.data() + old, most);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            buffer.resize(old);
            error = "cannot read " + name_ + ": " + std::strerror(errno);
            return -1;
        }
        buffer.resize(old + static_cast<std::size_t>(count));
        read_ += static_cast<unsigned long long>(count);
        if (count == 0 && regular_ && read_ < sizeAtOpen_) {
            error = "cannot read " + name_ + ": the file became shorter while it was read (" +
                    std::to_string(sizeAtOpen_) + " bytes when opened, " + std::to_string(read_) +
                    " at the end)";
            return -1;
        }
        return static_cast<long>(count);
    }
}

}  // namespace velars::cli
