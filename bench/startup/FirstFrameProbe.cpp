#include "FirstFrameProbe.h"

#include <poll.h>
#include <sys/wait.h>
#include <xcb/damage.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "ChildProcess.h"

namespace velars::startup {

namespace {

constexpr double kStartTimeoutMs = 60000;
constexpr auto kCloseTimeout = std::chrono::seconds(15);

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Owned(T* reply) {
    return Reply<T>(reply, &std::free);
}

// The processor time of all threads of `pid` so far (schedstat's first
// field, in nanoseconds, per thread).
double CpuMs(pid_t pid) {
    std::error_code error;
    double total = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream in(task.path() / "schedstat");
        double ns = 0;
        if (in >> ns) total += ns / 1e6;
    }
    return total;
}

std::string Tail(const std::string& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    std::string all = text.str();
    if (all.size() > 2000) all = "..." + all.substr(all.size() - 2000);
    return all.empty() ? std::string() : "\n--- its output ---\n" + all;
}

}  // namespace

FirstFrameProbe::~FirstFrameProbe() {
    if (connection_ != nullptr) xcb_disconnect(connection_);
}

bool FirstFrameProbe::Connect(const std::string& display) {
    int screenNumber = 0;
    connection_ = xcb_connect(display.c_str(), &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        error_ = "cannot connect to the X server " + display;
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
    root_ = screens.data->root;

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (damage == nullptr || !damage->present) {
        error_ = "the X server has no DAMAGE extension";
        return false;
    }
    damageNotify_ = static_cast<uint8_t>(damage->first_event + XCB_DAMAGE_NOTIFY);
    auto version = Owned(xcb_damage_query_version_reply(
        connection_,
        xcb_damage_query_version(connection_, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    if (!version) {
        error_ = "the X server's DAMAGE extension does not answer";
        return false;
    }
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    wmProtocols_ = Atom("WM_PROTOCOLS");
    wmDeleteWindow_ = Atom("WM_DELETE_WINDOW");
    netWmPid_ = Atom("_NET_WM_PID");
    xcb_flush(connection_);
    return true;
}

StartFigures FirstFrameProbe::Measure(const std::vector<std::string>& argv,
                                      const std::vector<std::string>& env, const std::string& log) {
    StartFigures figures;
    Drain();
    std::set<xcb_window_t> mapped;
    xcb_window_t window = 0;

    std::string spawnError;
    const double start = NowMs();
    const pid_t pid = Spawn(argv, env, log, -1, spawnError);
    if (pid < 0) {
        figures.error = argv[0] + ": " + spawnError;
        return figures;
    }
    const int fd = xcb_get_file_descriptor(connection_);
    while (window == 0) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
            xcb_poll_for_event(connection_), &std::free);
        if (!event) {
            if (xcb_connection_has_error(connection_)) {
                figures.error = "the X server went away";
                Stop(pid);
                return figures;
            }
            if (const std::optional<Exit> exit = WaitForExit(pid, std::chrono::milliseconds(0))) {
                figures.error = argv[0] + " ended before its first frame" + Tail(log);
                return figures;
            }
            const double left = start + kStartTimeoutMs - NowMs();
            if (left <= 0) {
                figures.error = argv[0] + " drew no window within 60 s" + Tail(log);
                Stop(pid);
                return figures;
            }
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, left < 50 ? static_cast<int>(left) + 1 : 50);
            continue;
        }
        const double now = NowMs();
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event.get());
            if (created->parent == root_) {
                xcb_damage_create(connection_, xcb_generate_id(connection_), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(connection_);
            }
        } else if (type == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
            if (map->event == root_ && mapped.insert(map->window).second && mapped.size() == 1)
                figures.mapMs = now - start;
        } else if (type == damageNotify_) {
            const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event.get());
            if (mapped.count(damage->drawable) != 0) {
                figures.firstFrameMs = now - start;
                figures.cpuMs = CpuMs(pid);
                window = damage->drawable;
            }
        }
    }
    const long owner = WindowPid(window);
    if (owner != pid) {
        figures.error = "the first window drawn is not " + argv[0] + "'s (_NET_WM_PID " +
                        std::to_string(owner) + ")";
        Stop(pid);
        return figures;
    }
    Close(window);
    const std::optional<Exit> exit = WaitForExit(pid, kCloseTimeout);
    if (!exit) {
        figures.error = argv[0] + " did not end when its window was closed" + Tail(log);
        Stop(pid);
        return figures;
    }
    if (!WIFEXITED(exit->status) || WEXITSTATUS(exit->status) != 0) {
        figures.error = argv[0] + " did not end cleanly (wait status " +
                        std::to_string(exit->status) + ")" + Tail(log);
        return figures;
    }
    figures.peakRssKiB = exit->usage.ru_maxrss;
    figures.ok = true;
    return figures;
}

xcb_atom_t FirstFrameProbe::Atom(const char* name) {
    auto reply = Owned(xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::string(name).size()), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

long FirstFrameProbe::WindowPid(xcb_window_t window) {
    auto reply = Owned(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, netWmPid_, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) return -1;
    return static_cast<long>(*static_cast<uint32_t*>(xcb_get_property_value(reply.get())));
}

void FirstFrameProbe::Close(xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = wmProtocols_;
    message.data.data32[0] = wmDeleteWindow_;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

void FirstFrameProbe::Drain() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
}

}  // namespace velars::startup
