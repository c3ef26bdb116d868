// Start-up of the tool to its window mapped on the screen, against a minimal Qt Widgets window
// (a label and a button) built against the same Qt, in alternation, in the same run. Needs an X
// display (a virtual one will do: xvfb-run); the programs run on Qt's xcb platform.

#include "bench/bench_support.h"

#include <xcb/xcb.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace
{

constexpr int kDefaultRuns = 11;
constexpr double kTargetRatio = 1.5;
constexpr int kMapWaitMs = 30'000;

double now()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// The display, watching every window that appears on the screen.
class ScreenWatch
{
public:
    ScreenWatch()
    {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_))
            throw std::runtime_error("no X display (run under xvfb-run)");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        const char name[] = "_NET_WM_PID";
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr);
        pidAtom_ = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        xcb_flush(connection_);
    }
    ~ScreenWatch() { xcb_disconnect(connection_); }
    ScreenWatch(const ScreenWatch&) = delete;
    ScreenWatch& operator=(const ScreenWatch&) = delete;

    // Seconds from start until a window of the process is mapped; negative if it never is.
    double secondsToMap(pid_t pid, double start)
    {
        const double deadline = start + kMapWaitMs / 1000.0;
        while (now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
                const xcb_window_t window =
                    mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
                std::free(event);
                if (mapped && ownerOf(window) == pid)
                    return now() - start;
            }
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            ::poll(&fd, 1, 100);
        }
        return -1;
    }

private:
    pid_t ownerOf(xcb_window_t window)
    {
        auto* reply = xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        pid_t pid = 0;
        if (reply && xcb_get_property_value_length(reply) == 4)
            pid = pid_t(*static_cast<std::uint32_t*>(xcb_get_property_value(reply)));
        std::free(reply);
        return pid;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t pidAtom_ = XCB_ATOM_NONE;
};

// Starts the program, times it to its window mapped, and ends it.
double startUntilMapped(ScreenWatch& screen, const std::string& program)
{
    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    const double start = now();
    const int error = posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ);
    if (error != 0)
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(error));
    const double seconds = screen.secondsToMap(pid, start);
    ::kill(pid, SIGTERM);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (seconds < 0)
        throw std::runtime_error(program + " mapped no window");
    return seconds;
}

int parseRuns(int argc, char** argv)
{
    int runs = kDefaultRuns;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            const std::string_view value = argv[++i];
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), runs);
            if (error != std::errc() || end != value.data() + value.size() || runs < 1)
                throw std::invalid_argument("--runs needs a whole number above 0");
        } else {
            throw std::invalid_argument("usage: bench_startup [--runs N]");
        }
    }
    return runs;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const int runs = parseRuns(argc, argv);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        ScreenWatch screen;
        struct Contender {
            const char* label;
            std::string program;
            Timings timings;
        } contenders[] = {
            {"the tool (naprawa)", NAPRAWA_PROGRAM, {}},
            {"minimal Qt window, label and button", MINIMAL_WINDOW_PROGRAM, {}},
        };
        // One start of each before timing: the first start of a program also reads its files
        // from the disk, which says nothing about either of them.
        for (Contender& c : contenders)
            startUntilMapped(screen, c.program);
        for (int round = 0; round < runs; ++round)
            for (Contender& c : contenders)
                c.timings.runs.push_back(startUntilMapped(screen, c.program));

        std::printf("Start-up to the window mapped (X display %s), median of %d alternating "
                    "runs:\n",
                    std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "?", runs);
        for (const Contender& c : contenders)
            std::printf("  %-36s %s\n", c.label, c.timings.describe().c_str());
        const double ratio = contenders[0].timings.median() / contenders[1].timings.median();
        std::printf("\n  tool / minimal window  %.2fx   target: at most %.1fx -> %s\n", ratio,
                    kTargetRatio, ratio <= kTargetRatio ? "met" : "NOT met");
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_startup: %s\n", e.what());
        return 2;
    }
}
