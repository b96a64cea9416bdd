// A small X client for the end-to-end tests of launch feedback, in the role of a launcher.
//   vel_startupwatch time     prints a time the X server has just given out (for a startup ID's "_TIME")
//   vel_startupwatch listen   prints "ready", then every startup-notification message sent to the root
//                             window, one a line, as a launcher watching for "remove" sees them
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

Time ServerTime(Display* display) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    const Window probe = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                                       CopyFromParent, CWEventMask, &attributes);
    XChangeProperty(display, probe, XInternAtom(display, "_VEL_WATCH_TIME", False), XA_STRING, 8, PropModeAppend,
                    nullptr, 0);
    XEvent event;
    XWindowEvent(display, probe, PropertyChangeMask, &event);
    XDestroyWindow(display, probe);
    return event.xproperty.time;
}

int Listen(Display* display) {
    const Atom begin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
    XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);
    // Messages from several senders may interleave: each sender's window keeps its own.
    std::map<Window, std::string> partial;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ClientMessage || event.xclient.format != 8)
            continue;
        if (event.xclient.message_type == begin)
            partial[event.xclient.window].clear();
        else if (event.xclient.message_type != more || !partial.count(event.xclient.window))
            continue;
        std::string& text = partial[event.xclient.window];
        const char* bytes = event.xclient.data.b;
        const size_t length = strnlen(bytes, 20);
        text.append(bytes, length);
        if (length < 20) {
            std::printf("%s\n", text.c_str());
            std::fflush(stdout);
            partial.erase(event.xclient.window);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display || argc != 2)
        return 2;
    if (std::strcmp(argv[1], "time") == 0) {
        std::printf("%lu\n", static_cast<unsigned long>(ServerTime(display)));
        return 0;
    }
    if (std::strcmp(argv[1], "listen") == 0)
        return Listen(display);
    return 2;
}
