// Measures one start of a program: the time from fork to the map of its first top-level window,
// then its resident memory once it has settled. Prints "ms rss_kb". Run it on an X server with
// no window manager, so that top-level windows map straight onto the root window.
//   startup_probe [--settle MS] COMMAND [ARG...]
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kMapTimeout = std::chrono::seconds(30);

// A window can be gone by the time it is asked about; that must not end the probe.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

long WindowPid(Display* display, Window window, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) == Success &&
        data && format == 32 && count == 1) {
        // Format-32 properties come back as an array of long, whatever the platform's width.
        long value = 0;
        std::memcpy(&value, data, sizeof value);
        pid = value;
    }
    if (data)
        XFree(data);
    return pid;
}

// Waits for the MapNotify of a top-level window that carries the child's _NET_WM_PID.
bool WaitForMap(Display* display, pid_t child, Atom pidAtom)
{
    const auto deadline = Clock::now() + kMapTimeout;
    const int fd = XConnectionNumber(display);
    while (Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && WindowPid(display, event.xmap.window, pidAtom) == child)
                return true;
        }
        if (waitpid(child, nullptr, WNOHANG) == child)
            return false;
        pollfd ready = {fd, POLLIN, 0};
        poll(&ready, 1, 100);
    }
    return false;
}

long ResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}
} // namespace

int main(int argc, char* argv[])
{
    int settleMs = 1500;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--settle") == 0) {
        settleMs = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: startup_probe [--settle MS] COMMAND [ARG...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_probe: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXError);
    fcntl(XConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    XSelectInput(display, XDefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[first], argv + first);
        std::_Exit(127);
    }
    if (child < 0) {
        std::perror("startup_probe: fork");
        return 1;
    }
    const bool mapped = WaitForMap(display, child, pidAtom);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    long rssKb = -1;
    if (mapped) {
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        rssKb = ResidentKb(child);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (!mapped || rssKb < 0) {
        std::fprintf(stderr, "startup_probe: %s never mapped a window\n", argv[first]);
        return 1;
    }
    std::printf("%.1f %ld\n", ms, rssKb);
    return 0;
}
