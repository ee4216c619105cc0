// The start-up benchmark: the calculator's window against a bare Qt window
// showing one line of text in the same font, started in turn (ABBA order,
// after one unmeasured start of each) on an X server and session bus of
// their own. For each: the median time from exec to the first frame the X
// server draws for the window, the median peak RSS, and the ratios.
//
//   startup_bench [--runs N] [--verbose] [PROGRAM [BARE_WINDOW]]
//
// PROGRAM defaults to the velars-tp of this build, BARE_WINDOW to the bare
// window built beside this benchmark. Exit status 1 when a start fails.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "DesktopSession.h"
#include "FirstFrameProbe.h"

namespace {

using velars::startup::DesktopSession;
using velars::startup::FirstFrameProbe;
using velars::startup::StartFigures;

struct Series {
    std::string name;
    std::string program;
    std::vector<double> frameMs;
    std::vector<double> rssMiB;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one;
    in >> one;
    return one.empty() ? std::string("?") : one;
}

int Usage() {
    std::fprintf(stderr, "usage: startup_bench [--runs N] [--verbose] [PROGRAM [BARE_WINDOW]]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 12;
    bool verbose = false;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
            if (runs < 1) return Usage();
        } else if (arg == "--verbose") {
            verbose = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else {
            programs.push_back(arg);
        }
    }
    if (programs.size() > 2) return Usage();
    Series bare{
        "bare Qt window", programs.size() > 1 ? programs[1] : BARE_WINDOW_EXECUTABLE, {}, {}};
    Series program{"", !programs.empty() ? programs[0] : VELARS_TP_EXECUTABLE, {}, {}};
    program.name = program.program.substr(program.program.find_last_of('/') + 1);

    DesktopSession session;
    if (!session.Start()) {
        std::fprintf(stderr, "startup_bench: %s\n", session.Error().c_str());
        return 1;
    }
    FirstFrameProbe probe;
    if (!probe.Connect(session.Display())) {
        std::fprintf(stderr, "startup_bench: %s\n", probe.Error().c_str());
        return 1;
    }
    const std::vector<std::string> env = session.Environment();
    const std::string loadBefore = LoadAverage();

    // One unmeasured start of each fills the page cache, the font caches and
    // the session's services, as a user's earlier logins have.
    std::vector<Series*> order;
    order.push_back(&bare);
    order.push_back(&program);
    for (int round = 0; round < runs; ++round) {
        order.push_back(round % 2 == 0 ? &program : &bare);
        order.push_back(round % 2 == 0 ? &bare : &program);
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        Series& series = *order[i];
        const StartFigures figures = probe.Measure({series.program}, env,
                                                   session.LogFile("program"));
        if (!figures.ok) {
            std::fprintf(stderr, "startup_bench: %s\n", figures.error.c_str());
            return 1;
        }
        if (verbose)
            std::printf(
                "%-16s %s map %7.1f ms  first frame %7.1f ms (processor %6.1f ms)  peak RSS %6.1f "
                "MiB\n",
                series.name.c_str(), i < 2 ? "(warm-up)" : "         ", figures.mapMs,
                figures.firstFrameMs, figures.cpuMs,
                static_cast<double>(figures.peakRssKiB) / 1024);
        if (i < 2) continue;
        series.frameMs.push_back(figures.firstFrameMs);
        series.rssMiB.push_back(static_cast<double>(figures.peakRssKiB) / 1024);
    }

    const double bareFrame = Median(bare.frameMs);
    const double bareRss = Median(bare.rssMiB);
    const double frame = Median(program.frameMs);
    const double rss = Median(program.rssMiB);
    std::printf(
        "%d interleaved starts of each on Xvfb %s with a session bus; load average %s "
        "before, %s after\n",
        runs, session.Display().c_str(), loadBefore.c_str(), LoadAverage().c_str());
    std::printf("%-16s %22s %18s\n", "", "exec to first frame", "peak RSS");
    std::printf("%-16s %19.1f ms %14.1f MiB\n", bare.name.c_str(), bareFrame, bareRss);
    std::printf("%-16s %19.1f ms %14.1f MiB\n", program.name.c_str(), frame, rss);
    std::printf("%-16s %21.2fx %17.2fx\n", "ratio", frame / bareFrame, rss / bareRss);
    return 0;
}
