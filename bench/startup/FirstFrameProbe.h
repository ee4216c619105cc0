#pragma once
// One start of a program on the benchmark's X server, watched from outside:
// the time from the program's exec to the first frame the X server draws
// into its window, and its peak resident memory.
//
// The probe sees every top-level window as it is created (SubstructureNotify
// on the root window) and puts a DAMAGE object on it at once; the first frame
// is the first damage reported on a mapped top-level window, which is the
// program's first paint of the window reaching the server (Qt leaves the
// background of its windows to the program, so the server draws nothing
// there itself on mapping). The window must carry the program's process id
// (_NET_WM_PID). The program is then closed as a window manager closes it
// (WM_DELETE_WINDOW), must end by itself with status 0, and its peak RSS is
// the ru_maxrss of its end.

#include <xcb/xcb.h>

#include <string>
#include <vector>

namespace velars::startup {

struct StartFigures {
    bool ok = false;
    std::string error;        // why not, when !ok
    double mapMs = 0;         // exec to the window's MapNotify
    double firstFrameMs = 0;  // exec to the first damage of the window
    double cpuMs = 0;         // processor time of all its threads by then
    long peakRssKiB = 0;      // ru_maxrss of the program
};

class FirstFrameProbe {
public:
    FirstFrameProbe() = default;
    ~FirstFrameProbe();
    FirstFrameProbe(const FirstFrameProbe&) = delete;
    FirstFrameProbe& operator=(const FirstFrameProbe&) = delete;

    // Connects to `display`; false, with the reason in Error(), when the
    // server is not there or lacks the DAMAGE extension.
    bool Connect(const std::string& display);
    const std::string& Error() const { return error_; }

    // Starts `argv` with `env`, its output going to `log`, and measures it.
    StartFigures Measure(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                         const std::string& log);

private:
    xcb_atom_t Atom(const char* name);
    long WindowPid(xcb_window_t window);
    void Close(xcb_window_t window);
    void Drain();

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    uint8_t damageNotify_ = 0;
    xcb_atom_t wmProtocols_ = 0;
    xcb_atom_t wmDeleteWindow_ = 0;
    xcb_atom_t netWmPid_ = 0;
    std::string error_;
};

}  // namespace velars::startup
