// Start-up time: from just before exec to the moment the program's main
// window is mapped, for Corvanta and for a hello-world Qt window started the
// same way, with and without a line of text (which costs the fonts).
// Target: Corvanta takes at most 1.3 times as long.
//
// Usage: bench_startup [--runs N] [--program PATH] [--hello PATH]
//
// Runs on the current X display, which needs a window manager for figures
// comparable with the target: xvfb-run -a sh -c 'openbox & sleep 1; bench_startup'.
// The programs start in turn, N times each (default 20) after one untimed
// start each, and get SIGTERM once their window is mapped. Both run with a
// temporary HOME and XDG folders, so no real settings are read or written.
#include "support/Fixture.h"

#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTargetRatio = 1.3;
constexpr auto kRunTimeout = std::chrono::seconds(20);

struct X
{
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t pidAtom = 0;
};

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    auto *reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}

// The first 32-bit value of a window property, if the window has it.
std::optional<uint32_t> property(const X &x, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    auto *reply = xcb_get_property_reply(
        x.connection, xcb_get_property(x.connection, 0, window, name, type, 0, 1), nullptr);
    std::optional<uint32_t> value;
    if (reply && xcb_get_property_value_length(reply) == 4)
        value = *static_cast<const uint32_t *>(xcb_get_property_value(reply));
    std::free(reply);
    return value;
}

bool hasWindowManager(const X &x)
{
    return property(x, x.root, atom(x.connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW).has_value();
}

// Qt tags each of its top-level windows with the process id.
bool ownedBy(const X &x, xcb_window_t window, pid_t pid)
{
    return property(x, window, x.pidAtom, XCB_ATOM_CARDINAL) == uint32_t(pid);
}

bool isViewable(const X &x, xcb_window_t window)
{
    auto *reply = xcb_get_window_attributes_reply(
        x.connection, xcb_get_window_attributes(x.connection, window), nullptr);
    const bool viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return viewable;
}

void endProgram(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int waited = 0; waited < 500; ++waited) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Starts the program and returns the milliseconds until its window is
// mapped, or a negative number when it ended or showed none in time.
double timeOneStart(const X &x, const std::string &program, const char *argument, bool &lateSeen)
{
    while (xcb_generic_event_t *stale = xcb_poll_for_event(x.connection))
        std::free(stale);

    // The programs' own messages (Qt's warnings) would repeat at every start.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(program.c_str()), const_cast<char *>(argument), nullptr};
    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return -1;

    // Every new top-level window is watched for its own MapNotify; the first
    // one of the program's windows to be mapped ends the measurement.
    std::set<xcb_window_t> watched;
    double milliseconds = -1;
    bool ended = false;
    pollfd descriptor{xcb_get_file_descriptor(x.connection), POLLIN, 0};
    while (milliseconds < 0 && !ended && Clock::now() - start < kRunTimeout) {
        xcb_generic_event_t *event = xcb_poll_for_event(x.connection);
        if (!event) {
            ended = waitpid(pid, nullptr, WNOHANG) == pid;
            poll(&descriptor, 1, 100);
            continue;
        }
        const Clock::time_point arrived = Clock::now();
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
            if (!created->override_redirect && created->parent == x.root) {
                const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                xcb_change_window_attributes(x.connection, created->window, XCB_CW_EVENT_MASK, &mask);
                watched.insert(created->window);
                // Mapped before the watch took hold: counted now, a little late.
                if (isViewable(x, created->window) && ownedBy(x, created->window, pid)) {
                    milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                    lateSeen = true;
                }
            }
        } else if (type == XCB_MAP_NOTIFY) {
            auto *mapped = reinterpret_cast<xcb_map_notify_event_t *>(event);
            if (mapped->event == mapped->window && watched.count(mapped->window)
                && ownedBy(x, mapped->window, pid))
                milliseconds = std::chrono::duration<double, std::milli>(arrived - start).count();
        }
        std::free(event);
    }
    if (!ended)
        endProgram(pid);
    return milliseconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string optionValue(int argc, char **argv, const char *option, const std::string &fallback)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0)
            return argv[i + 1];
    }
    return fallback;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::filesystem::path here = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::string program = optionValue(argc, argv, "--program", (here / "../app/corvanta").lexically_normal());
    const std::string hello = optionValue(argc, argv, "--hello", (here / "hello_window").string());
    const int runs = std::max(1, std::atoi(optionValue(argc, argv, "--runs", "20").c_str()));

    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "bench_startup needs an X display with a window manager, and DISPLAY is not set.\n"
                             "Run it as: xvfb-run -a sh -c 'openbox & sleep 1; %s'\n"
                             "or start Xvfb and openbox yourself and set DISPLAY.\n", argv[0]);
        return 2;
    }
    for (const std::string &path : {program, hello}) {
        if (access(path.c_str(), X_OK) != 0) {
            std::fprintf(stderr, "Cannot run %s: %s\n", path.c_str(), std::strerror(errno));
            return 2;
        }
    }

    X x;
    int screenNumber = 0;
    x.connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(x.connection)) {
        std::fprintf(stderr, "Cannot connect to the X display %s.\n", qgetenv("DISPLAY").constData());
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x.connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    x.root = screens.data->root;
    x.pidAtom = atom(x.connection, "_NET_WM_PID");
    const bool managed = hasWindowManager(x);
    if (!managed)
        std::fprintf(stderr, "Warning: no window manager runs on this display, so windows map sooner than on a "
                             "desktop; start openbox first for figures comparable with the target.\n");
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.connection, x.root, XCB_CW_EVENT_MASK, &rootMask);
    xcb_flush(x.connection);

    // The children inherit a throw-away home; the first untimed start of
    // each writes its settings, so the timed ones start as on a used machine.
    QTemporaryDir home;
    corvanta::testing::isolateHome(home.path());

    struct Subject
    {
        const char *label;
        std::string path;
        const char *argument;
        std::vector<double> times;
    } subjects[] = {{"hello-world window", hello, nullptr, {}},
                    {"hello-world with a caption", hello, "--caption", {}},
                    {"corvanta", program, nullptr, {}}};
    bool lateSeen = false;
    for (int run = -1; run < runs; ++run) {
        for (Subject &subject : subjects) {
            const double ms = timeOneStart(x, subject.path, subject.argument, lateSeen);
            if (ms < 0) {
                std::fprintf(stderr, "%s ended or showed no window within %lld s.\n", subject.path.c_str(),
                             static_cast<long long>(kRunTimeout.count()));
                return 1;
            }
            if (run >= 0)
                subject.times.push_back(ms);
        }
    }

    std::printf("start-up, exec to main window mapped, %d runs each (%s)\n", runs,
                managed ? "with a window manager" : "NO window manager");
    for (const Subject &subject : subjects)
        std::printf("  %-26s min %7.1f ms   median %7.1f ms\n", subject.label,
                    *std::min_element(subject.times.begin(), subject.times.end()), median(subject.times));
    const Subject &corvanta = subjects[2];
    for (const Subject *yardstick : {&subjects[0], &subjects[1]}) {
        const double ratio = median(corvanta.times) / median(yardstick->times);
        const double minRatio = *std::min_element(corvanta.times.begin(), corvanta.times.end())
            / *std::min_element(yardstick->times.begin(), yardstick->times.end());
        std::printf("  against the %s: ratio of medians %.2f (target <= %.1f: %s), of minima %.2f\n",
                    yardstick->label, ratio, kTargetRatio, ratio <= kTargetRatio ? "met" : "NOT met", minRatio);
    }
    if (lateSeen)
        std::printf("  (some windows were mapped before the watch on them began; those runs read a little long)\n");
    xcb_disconnect(x.connection);
    return 0;
}
