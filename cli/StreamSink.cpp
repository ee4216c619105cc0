#include "cli/StreamSink.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace velars::cli {

StreamSink::StreamSink() : fd_(STDOUT_FILENO) {}

StreamSink::~StreamSink() {
    if (ownsFd_) close(fd_);
}

bool StreamSink::OpenFile(const std::string& path, std::string& error) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    if (ownsFd_) close(fd_);
    fd_ = fd;
    ownsFd_ = true;
    name_ = "'" + path + "'";
    return true;
}

bool StreamSink::Close() {
    if (!ownsFd_) return true;
    ownsFd_ = false;
    if (close(fd_) != 0) {
        Report("cannot write " + name_ + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

bool StreamSink::Write(std::string_view text) {
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = write(fd_, p, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            Report("cannot write " + name_ + ": " + std::strerror(errno));
            return false;
        }
        p += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

void StreamSink::Report(const std::string& message) {
    // The whole message, whatever bytes it holds.
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
}

}  // namespace velars::cli
