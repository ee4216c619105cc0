#include "cli/InputText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velars::cli {

InputText::~InputText() {
    if (mapping_) munmap(mapping_, size_);
}

void InputText::Assign(std::string text) {
    buffer_ = std::move(text);
    data_ = buffer_.data();
    size_ = buffer_.size();
}

bool InputText::Open(const std::string& path, std::string& error) {
    if (path == "-") return ReadAll(STDIN_FILENO, path, error);
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open '" + path + "': " + std::strerror(errno);
        return false;
    }
    bool ok = false;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const std::size_t size = static_cast<std::size_t>(info.st_size);
        void* mapping = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE, fd, 0);
        if (mapping != MAP_FAILED) {
            madvise(mapping, size, MADV_SEQUENTIAL);
            mapping_ = mapping;
            data_ = static_cast<char*>(mapping);
            size_ = size;
            ok = true;
        }
    }
    // Pipes, devices, files of /proc, folders (whose reading fails).
    if (!ok) ok = ReadAll(fd, path, error);
    close(fd);
    return ok;
}

bool InputText::ReadAll(int fd, const std::string& path, std::string& error) {
    std::string text;
    char chunk[1 << 16];
    for (;;) {
        const ssize_t count = read(fd, chunk, sizeof chunk);
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            error = "cannot read '" + path + "': " + std::strerror(errno);
            return false;
        }
        text.append(chunk, static_cast<std::size_t>(count));
    }
    Assign(std::move(text));
    return true;
}

}  // namespace velars::cli
