#include "platform/WindowActivate.h"

#include <QGuiApplication>
#include <QWindow>

#include <cstring>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

constexpr long kSourcePager = 2; // a pager: the user drives it directly, so the window manager obeys
constexpr unsigned long kAllDesktops = 0xFFFFFFFF;

// A time the server itself has just given out: a property change on a window of our own.
Time FreshServerTime(Display* display, Window probe) {
    const Atom name = XInternAtom(display, "_VELMARINTH_TIME", False);
    XChangeProperty(display, probe, name, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(display, probe, PropertyChangeMask, &event);
    return event.xproperty.time;
}

bool ReadCardinal(Display* display, Window window, const char* property, unsigned long& value) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    const bool read = XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 1, False,
                                         XA_CARDINAL, &type, &format, &count, &left, &data) == Success &&
                      type == XA_CARDINAL && format == 32 && count == 1;
    if (read)
        value = *reinterpret_cast<unsigned long*>(data);
    if (data)
        XFree(data);
    return read;
}

void SendToRoot(Display* display, Window about, const char* type, long l0, long l1) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = about;
    event.xclient.message_type = XInternAtom(display, type, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = l0;
    event.xclient.data.l[1] = l1;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// Ends the launcher's feedback for a start: a "remove" message of the startup-notification protocol, sent
// in pieces from a window of our own to everyone watching the root window.
void CompleteStartup(Display* display, Window sender, const QByteArray& startupId) {
    const QByteArrayList pieces = StartupMessagePieces("remove: ID=" + startupId);
    const Atom begin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = sender;
        event.xclient.message_type = i == 0 ? begin : more;
        event.xclient.format = 8;
        memcpy(event.xclient.data.b, pieces[i].constData(), 20);
        XSendEvent(display, DefaultRootWindow(display), False, PropertyChangeMask, &event);
    }
}

// A window on another workspace is only marked as wanting attention by most window managers when asked to
// activate: it is moved to the user's workspace first. A window on every workspace stays so.
void MoveToCurrentDesktop(Display* display, Window window) {
    unsigned long current = 0;
    unsigned long own = 0;
    if (!ReadCardinal(display, DefaultRootWindow(display), "_NET_CURRENT_DESKTOP", current) ||
        !ReadCardinal(display, window, "_NET_WM_DESKTOP", own) || own == current || own == kAllDesktops)
        return;
    SendToRoot(display, window, "_NET_WM_DESKTOP", static_cast<long>(current), kSourcePager);
}

void ActivateOnX11(WId id, const TLaunchTokens& launch) {
    // A connection of its own keeps the waits here away from the toolkit's event queue.
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    const Window window = static_cast<Window>(id);
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    const Window probe = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                                       CopyFromParent, CWEventMask, &attributes);
    if (!launch.StartupId.isEmpty())
        CompleteStartup(display, probe, launch.StartupId);
    MoveToCurrentDesktop(display, window);
    // The time of the user's click that started the second copy; without one, now.
    unsigned long time = StartupIdTime(launch.StartupId);
    if (time == 0)
        time = FreshServerTime(display, probe);
    SendToRoot(display, window, "_NET_ACTIVE_WINDOW", kSourcePager, static_cast<long>(time));
    XDestroyWindow(display, probe);
    XCloseDisplay(display);
}

class TDesktopWindowActivation final : public IWindowActivation {
public:
    void Activate(QWindow* window, const TLaunchTokens& launch) override {
        if (!window)
            return;
        if (window->windowStates() & Qt::WindowMinimized)
            window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
        window->raise();
        if (QGuiApplication::platformName() == QLatin1String("xcb") && window->handle()) {
            ActivateOnX11(window->winId(), launch);
            return;
        }
        // On Wayland the compositor lets a window take the focus only with a token from the user's action;
        // the toolkit takes it from the environment when it asks.
        if (!launch.ActivationToken.isEmpty())
            qputenv("XDG_ACTIVATION_TOKEN", launch.ActivationToken);
        window->requestActivate();
    }
};

} // namespace

IWindowActivation& DesktopWindowActivation() {
    static TDesktopWindowActivation activation;
    return activation;
}
