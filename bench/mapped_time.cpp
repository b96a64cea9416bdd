// Starts a program and prints the milliseconds until its first top-level window is mapped on the X
// display, and the processor time the program had used by then (all its threads; unlike the wall-clock time it
// hardly grows when other work shares the machine), then (with --idle N) how the process does over N seconds of idling:
// its peak resident memory and how often it woke up. The program is terminated at the end.
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

long StatusValue(pid_t pid, const char* key) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::strtol(line.c_str() + std::strlen(key), nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    int idleSeconds = 0;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--idle") == 0) {
        idleSeconds = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: mapped_time [--idle seconds] program [args]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[first], argv + first);
        _exit(127);
    }
    // A program that ends before it maps a window is reported at once rather than waited for without end.
    XEvent event;
    for (bool mapped = false; !mapped;) {
        while (!mapped && XPending(display) > 0) {
            XNextEvent(display, &event);
            mapped = event.type == MapNotify;
        }
        if (mapped)
            break;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "mapped_time: %s ended before mapping a window (status %d)\n", argv[first], status);
            XCloseDisplay(display);
            return 3;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 100);
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    clockid_t cpuClock;
    timespec cpu{};
    const bool cpuKnown = clock_getcpuclockid(pid, &cpuClock) == 0 && clock_gettime(cpuClock, &cpu) == 0;
    std::printf("mapped_ms %.1f\n", ms);
    if (cpuKnown)
        std::printf("cpu_ms %.1f\n", cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
    if (idleSeconds > 0) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const long before = StatusValue(pid, "voluntary_ctxt_switches:");
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
        const long after = StatusValue(pid, "voluntary_ctxt_switches:");
        std::printf("wakeups_per_s %.2f\n", static_cast<double>(after - before) / idleSeconds);
        std::printf("peak_rss_kb %ld\n", StatusValue(pid, "VmHWM:"));
    }
    std::fflush(stdout);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
