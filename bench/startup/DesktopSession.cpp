#include "DesktopSession.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "ChildProcess.h"

extern char** environ;

namespace velars::startup {

DesktopSession::~DesktopSession() {
    Stop(busDaemon_);
    Stop(xServer_);
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

bool DesktopSession::Start() {
    char pattern[] = "/tmp/velars-startup-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        error_ = std::string("no private folder: ") + std::strerror(errno);
        return false;
    }
    folder_ = pattern;  // mode 0700, as a runtime folder must be

    const std::string xvfb = FindOnPath("Xvfb");
    if (xvfb.empty()) {
        error_ = "Xvfb is not on the PATH (package xvfb)";
        return false;
    }
    // -displayfd: the server picks a free display and writes its number
    // once it accepts connections.
    std::string number;
    if (!StartServer({xvfb, "-displayfd", "@FD@", "-screen", "0", "1920x1080x24", "-nolisten",
                      "tcp", "-noreset"},
                     LogFile("Xvfb"), xServer_, number))
        return false;
    display_ = ":" + number;

    const std::string daemon = FindOnPath("dbus-daemon");
    if (daemon.empty()) {
        error_ = "dbus-daemon is not on the PATH (package dbus-daemon)";
        return false;
    }
    if (!StartServer({daemon, "--session", "--nofork", "--print-address=@FD@"},
                     LogFile("dbus-daemon"), busDaemon_, bus_))
        return false;
    return true;
}

bool DesktopSession::StartServer(const std::vector<std::string>& argv, const std::string& log,
                                 pid_t& pid, std::string& line) {
    int channel[2];
    if (pipe(channel) != 0) {
        error_ = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    std::vector<std::string> args = argv;
    for (std::string& arg : args) {
        const std::size_t at = arg.find("@FD@");
        if (at != std::string::npos) arg.replace(at, 4, std::to_string(channel[1]));
    }
    std::string spawnError;
    pid = Spawn(args, Environment(), log, channel[1], spawnError);
    close(channel[1]);
    if (pid < 0) {
        close(channel[0]);
        error_ = argv[0] + ": " + spawnError;
        return false;
    }
    const std::optional<std::string> answer = ReadLine(channel[0], std::chrono::seconds(15));
    close(channel[0]);
    if (!answer || answer->empty()) {
        error_ = argv[0] + " did not start (its output is in " + log + ")";
        return false;
    }
    line = *answer;
    return true;
}

std::vector<std::string> DesktopSession::Environment() const {
    static const char* const replaced[] = {
        "DISPLAY=", "DBUS_SESSION_BUS_ADDRESS=", "XDG_RUNTIME_DIR=", "QT_QPA_PLATFORM=",
        "WAYLAND_DISPLAY="};
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        bool keep = true;
        for (const char* name : replaced)
            if (std::strncmp(*entry, name, std::strlen(name)) == 0) keep = false;
        if (keep) env.emplace_back(*entry);
    }
    if (!display_.empty()) env.push_back("DISPLAY=" + display_);
    if (!bus_.empty()) env.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus_);
    env.push_back("XDG_RUNTIME_DIR=" + folder_);
    env.push_back("QT_QPA_PLATFORM=xcb");
    return env;
}

std::string DesktopSession::LogFile(const std::string& name) const {
    return folder_ + "/" + name + ".log";
}

}  // namespace velars::startup
