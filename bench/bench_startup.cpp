// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up as a user sees it: the time from fork/exec to the program's first top-level window
// being mapped on the X server, and its resident memory half a second later once it has
// settled. Vorn is run in alternating pairs with an empty Qt window of the same size (the
// yardstick), so drift of the machine touches both alike; medians and their ratio are printed.
//
// The programs are ended with SIGTERM. Vorn keeps its session in the settings file while it
// runs, so the file is written anew before each start.
//
// Without DISPLAY an Xvfb of our own is started; under it there is no window manager, so the
// first MapNotify below the root is the program's window itself.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

#include "BenchDocuments.h"
#include "files/SettingsFile.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

pid_t xvfbPid = 0;
pid_t childPid = 0;
fs::path workDir;

void cleanUp() {
    for (pid_t* pid : {&childPid, &xvfbPid})
        if (*pid > 0) {
            kill(*pid, SIGTERM);
            waitpid(*pid, nullptr, 0);
            *pid = 0;
        }
    if (!workDir.empty()) {
        std::error_code ignored;
        fs::remove_all(workDir, ignored);
    }
}

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "bench_startup: %s\n", message.c_str());
    cleanUp();
    std::exit(1);
}

bool onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && access((fs::path(dir) / name).c_str(), X_OK) == 0)
            return true;
    return false;
}

// Xvfb picks a free display and reports it through -displayfd once it accepts connections.
std::string startXvfb() {
    if (!onPath("Xvfb"))
        fail("Xvfb not found; install the Debian package xvfb (apt-get install xvfb) or set "
             "DISPLAY");
    int fds[2];
    if (pipe(fds) != 0)
        fail("pipe failed");
    xvfbPid = fork();
    if (xvfbPid == 0) {
        close(fds[0]);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-noreset",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (c != '\n' || number.empty())
        fail("Xvfb did not start");
    return ":" + number;
}

// Every event the server has sent so far, so that a late window of the previous program is not
// taken for the next one's.
void drain(xcb_connection_t* x) {
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
    while (xcb_generic_event_t* e = xcb_poll_for_event(x))
        std::free(e);
}

struct Run {
    double Ms = 0;
    double CpuMs =
        0; // on-CPU time of all its threads until mapped: steadier than Ms on a busy machine
    double RssMiB = 0;
    double PeakMiB = 0;
};

// VmRSS and VmHWM in MiB.
std::pair<double, double> memoryOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    double rss = 0, peak = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("VmRSS:"))
            rss = std::stod(line.substr(6)) / 1024;
        else if (line.starts_with("VmHWM:"))
            peak = std::stod(line.substr(6)) / 1024;
    }
    return {rss, peak};
}

// Time the process's threads have run so far, from /proc/<pid>/task/*/schedstat (ns).
double cpuMsOf(pid_t pid) {
    double ns = 0;
    std::error_code ec;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::ifstream in(task.path() / "schedstat");
        double onCpu = 0;
        if (in >> onCpu)
            ns += onCpu;
    }
    return ns / 1e6;
}

Run runOnce(xcb_connection_t* x, const fs::path& program, const std::string& label) {
    drain(x);
    const Clock::time_point start = Clock::now();
    childPid = fork();
    if (childPid == 0) {
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (childPid < 0)
        fail("fork failed");

    std::optional<Clock::time_point> mapped;
    double cpuMs = 0;
    const int fd = xcb_get_file_descriptor(x);
    while (!mapped) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(x)) {
            // Override-redirect windows are menus and tooltips, not the program's window.
            if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                !reinterpret_cast<xcb_map_notify_event_t*>(e)->override_redirect) {
                mapped = Clock::now();
                cpuMs = cpuMsOf(childPid);
            }
            std::free(e);
        }
        if (mapped)
            break;
        if (xcb_connection_has_error(x))
            fail("lost the connection to the X server");
        if (waitpid(childPid, nullptr, WNOHANG) == childPid) {
            childPid = 0;
            fail(label + " (" + program.string() + ") ended before showing a window");
        }
        if (Clock::now() - start > 20s)
            fail(label + " (" + program.string() + ") showed no window within 20 s");
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
    }

    std::this_thread::sleep_until(*mapped + 500ms);
    const auto [rss, peak] = memoryOf(childPid);
    kill(childPid, SIGTERM);
    waitpid(childPid, nullptr, 0);
    childPid = 0;
    return {std::chrono::duration<double, std::milli>(*mapped - start).count(), cpuMs, rss, peak};
}

double medianOf(const std::vector<Run>& runs, double Run::*field) {
    std::vector<double> v;
    for (const Run& r : runs)
        v.push_back(r.*field);
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    int runs = 7;
    bool verbose = false;
    fs::path vornProgram = VORN_PROGRAM;
    fs::path emptyProgram = EMPTY_WINDOW_PROGRAM;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (arg == "--verbose")
            verbose = true;
        else if (arg == "--vorn" && i + 1 < argc)
            vornProgram = argv[++i];
        else if (arg == "--empty" && i + 1 < argc)
            emptyProgram = argv[++i];
        else {
            std::fprintf(stderr, "usage: %s [--runs N] [--verbose] [--vorn PATH] [--empty PATH]\n",
                         argv[0]);
            return 2;
        }
    }
    if (runs < 1)
        fail("--runs needs a positive count");

    char dirTemplate[] = "/tmp/vorn-startup-XXXXXX";
    if (!mkdtemp(dirTemplate))
        fail("cannot create a temporary folder");
    workDir = dirTemplate;
    // Qt warns about a runtime folder that is missing or not private.
    fs::create_directory(workDir / "runtime");
    fs::permissions(workDir / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    setenv("XDG_RUNTIME_DIR", (workDir / "runtime").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        setenv("DISPLAY", startXvfb().c_str(), 1);

    int screenNumber = 0;
    xcb_connection_t* x = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(x))
        fail(std::string("cannot connect to the X server on ") + std::getenv("DISPLAY"));
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    if (xcb_generic_error_t* error =
            xcb_request_check(x, xcb_change_window_attributes_checked(x, screens.data->root,
                                                                      XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        fail("cannot watch the root window");
    }

    // The settings file sits beside the program, so each scenario gets its own copy of it.
    const std::string documents = vorn::TenLutesSettings();
    {
        vorn::TGlobalData check;
        if (vorn::LoadSettingsData(documents, check).Documents.size() != 10)
            fail("the settings file with ten documents does not read back");
    }
    struct Scenario {
        const char* Name;
        const char* Folder;
        std::string Settings; // empty: no settings file
    };
    const Scenario scenarios[] = {{"no settings file:", "plain", ""},
                                  {"ten 19-course documents:", "documents", documents}};

    for (const Scenario& s : scenarios) {
        const fs::path folder = workDir / s.Folder;
        fs::create_directory(folder);
        const fs::path program = folder / vornProgram.filename();
        fs::copy_file(vornProgram, program);
        const fs::path settingsPath = vorn::SettingsPathFor(program.string());

        std::vector<Run> empty, vorn;
        for (int i = 0; i < runs; ++i) {
            empty.push_back(runOnce(x, emptyProgram, "empty window"));
            // The program keeps its session as it runs: each start gets the file anew.
            if (!s.Settings.empty())
                std::ofstream(settingsPath, std::ios::binary | std::ios::trunc) << s.Settings;
            vorn.push_back(runOnce(x, program, "vorn"));
            if (verbose)
                std::printf(
                    "  %s run %d: empty window %.1f ms (CPU %.1f), vorn %.1f ms (CPU %.1f)\n",
                    s.Name, i + 1, empty.back().Ms, empty.back().CpuMs, vorn.back().Ms,
                    vorn.back().CpuMs);
        }
        const double vornMs = medianOf(vorn, &Run::Ms);
        const double emptyMs = medianOf(empty, &Run::Ms);
        const double vornCpu = medianOf(vorn, &Run::CpuMs);
        const double emptyCpu = medianOf(empty, &Run::CpuMs);
        std::printf("%-25s vorn %.0f ms  empty window %.0f ms  ratio %.2f  RSS %.1f MiB (peak "
                    "%.1f)  empty RSS %.1f MiB\n",
                    s.Name, vornMs, emptyMs, vornMs / emptyMs, medianOf(vorn, &Run::RssMiB),
                    medianOf(vorn, &Run::PeakMiB), medianOf(empty, &Run::RssMiB));
        std::printf("%-25s CPU until shown: vorn %.1f ms  empty window %.1f ms  ratio %.2f\n", "",
                    vornCpu, emptyCpu, vornCpu / emptyCpu);
        std::fflush(stdout);
    }
    xcb_disconnect(x);
    cleanUp();
    return 0;
}
