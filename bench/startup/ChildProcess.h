#pragma once
// Starting and ending the processes of the start-up benchmark. A process
// started here dies with the benchmark (PR_SET_PDEATHSIG), whatever ends it,
// so that no server or program is left behind. Its standard output and error
// go to the file named, its standard input is /dev/null.

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace velars::startup {

// Starts `argv` with the environment `env` ("NAME=value" entries). When
// `passFd` is not -1 it stays open in the child under the same number (the
// write end of a pipe the child reports on). The process id, or -1 with the
// reason in `error`.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& outputFile, int passFd, std::string& error);

// The end of a process: its wait status and its resource use (ru_maxrss is
// its peak resident set in KiB).
struct Exit {
    int status = 0;
    rusage usage{};
};

// Waits up to `timeout` for `pid` to end; nothing when it still runs.
std::optional<Exit> WaitForExit(pid_t pid, std::chrono::milliseconds timeout);

// Ends `pid`: SIGTERM, then SIGKILL after `grace`; reaps it.
void Stop(pid_t pid, std::chrono::milliseconds grace = std::chrono::milliseconds(2000));

// Reads one line that a child writes to `fd` within `timeout` (without the
// newline); nothing when none comes.
std::optional<std::string> ReadLine(int fd, std::chrono::milliseconds timeout);

// The executable `name` on the PATH; empty when there is none.
std::string FindOnPath(const std::string& name);

// The monotonic clock in milliseconds.
double NowMs();

}  // namespace velars::startup
