#pragma once
// The desktop the programs of the start-up benchmark start on: an X server of
// its own (Xvfb on a free display number, 1920x1080, 24 bits), a session
// bus (dbus-daemon) and a private runtime folder, as a user's session has
// them. Both servers run until the object goes; nothing is left behind.

#include <sys/types.h>

#include <string>
#include <vector>

namespace velars::startup {

class DesktopSession {
public:
    DesktopSession() = default;
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Starts the servers; false, with the reason in Error(), when one does
    // not start.
    bool Start();
    const std::string& Error() const { return error_; }

    // The display name (":N").
    const std::string& Display() const { return display_; }
    // The environment for a program of this session: the benchmark's own,
    // with the display, the bus, the runtime folder and the X platform set.
    std::vector<std::string> Environment() const;
    // Where the processes' output goes, in the private folder.
    std::string LogFile(const std::string& name) const;

private:
    bool StartServer(const std::vector<std::string>& argv, const std::string& log, pid_t& pid,
                     std::string& line);

    std::string folder_;
    std::string display_;
    std::string bus_;
    pid_t xServer_ = -1;
    pid_t busDaemon_ = -1;
    std::string error_;
};

}  // namespace velars::startup
