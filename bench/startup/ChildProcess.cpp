#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

namespace velars::startup {

namespace {

std::vector<char*> Pointers(const std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (const std::string& s : strings) pointers.push_back(const_cast<char*>(s.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& outputFile, int passFd, std::string& error) {
    // Everything the child needs is prepared before the fork.
    std::vector<char*> args = Pointers(argv);
    std::vector<char*> environment = Pointers(env);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        error = std::string("fork: ") + std::strerror(errno);
        return -1;
    }
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0) _exit(127);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        const long last = sysconf(_SC_OPEN_MAX);
        for (int fd = 3; fd < last && fd < 1024; ++fd)
            if (fd != passFd) close(fd);
        execve(args[0], args.data(), environment.data());
        _exit(127);
    }
    return pid;
}

std::optional<Exit> WaitForExit(pid_t pid, std::chrono::milliseconds timeout) {
    const double deadline = NowMs() + static_cast<double>(timeout.count());
    for (;;) {
        Exit exit;
        const pid_t done = wait4(pid, &exit.status, WNOHANG, &exit.usage);
        if (done == pid) return exit;
        if (done < 0 && errno != EINTR) return exit;  // not ours, or already reaped
        if (NowMs() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void Stop(pid_t pid, std::chrono::milliseconds grace) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    if (WaitForExit(pid, grace)) return;
    kill(pid, SIGKILL);
    WaitForExit(pid, std::chrono::milliseconds(5000));
}

std::optional<std::string> ReadLine(int fd, std::chrono::milliseconds timeout) {
    const double deadline = NowMs() + static_cast<double>(timeout.count());
    std::string line;
    for (;;) {
        const double left = deadline - NowMs();
        if (left <= 0) return std::nullopt;
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(left) + 1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return std::nullopt;
        char c = 0;
        const ssize_t n = read(fd, &c, 1);
        if (n <= 0) return std::nullopt;  // the child closed it without a line
        if (c == '\n') return line;
        line.push_back(c);
    }
}

std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

double NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace velars::startup
