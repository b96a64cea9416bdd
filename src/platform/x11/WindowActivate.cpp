#include "platform/WindowActivate.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// A time the server itself has just given out: a property change on a window of our own. A connection of
// its own keeps the wait away from the toolkit's event queue.
Time FreshServerTime(Display* display) {
    const Window root = DefaultRootWindow(display);
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    const Window probe = XCreateWindow(display, root, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                                       CWEventMask, &attributes);
    const Atom name = XInternAtom(display, "_VELMARINTH_TIME", False);
    XChangeProperty(display, probe, name, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(display, probe, PropertyChangeMask, &event);
    XDestroyWindow(display, probe);
    return event.xproperty.time;
}

void SendActiveWindowRequest(WId window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window);
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // source indication: a pager, which the user drives directly
    event.xclient.data.l[1] = static_cast<long>(FreshServerTime(display));
    event.xclient.data.l[2] = 0;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XCloseDisplay(display);
}

class TX11WindowActivation final : public IWindowActivation {
public:
    void Activate(QWindow* window) override {
        if (!window)
            return;
        if (window->windowStates() & Qt::WindowMinimized)
            window->setWindowStates(window->windowStates() & ~Qt::WindowMinimized);
        window->raise();
        if (QGuiApplication::platformName() == QLatin1String("xcb") && window->handle())
            SendActiveWindowRequest(window->winId());
        else
            window->requestActivate();
    }
};

} // namespace

IWindowActivation& DesktopWindowActivation() {
    static TX11WindowActivation activation;
    return activation;
}
