#include "platform/WindowAbove.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xproto.h>

namespace {

Display* x11Display() {
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->display() : nullptr;
}

bool ReadAbove(Display* display, Window window, Atom netWmState, Atom above) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, netWmState, 0, 64, False, XA_ATOM, &type, &format, &count, &remaining,
                           &data) == Success &&
        data && type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i)
            found = atoms[i] == above;
    }
    if (data)
        XFree(data);
    return found;
}

// Keeps each window's state from the last reading until the window system says it changed, so asking at
// every idle moment costs nothing. Owned by the application, so it goes with it.
class TAboveWatch final : public QObject, public QAbstractNativeEventFilter {
public:
    explicit TAboveWatch(Display* display)
        : QObject(qApp), FDisplay(display), FNetWmState(XInternAtom(display, "_NET_WM_STATE", False)),
          FAbove(XInternAtom(display, "_NET_WM_STATE_ABOVE", False)) {
        qApp->installNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const int type = event->response_type & 0x7f;
        if (type == XCB_PROPERTY_NOTIFY) {
            const auto* notice = static_cast<const xcb_property_notify_event_t*>(message);
            if (notice->atom == FNetWmState) {
                FKnown.remove(notice->window);
                ++FChanges[notice->window];
            }
        } else if (type == XCB_DESTROY_NOTIFY) {
            const auto* notice = static_cast<const xcb_destroy_notify_event_t*>(message);
            FKnown.remove(notice->window);
            FChanges.remove(notice->window);
        }
        return false;
    }

    TShownAbove Shown(WId window) {
        auto known = FKnown.constFind(window);
        const bool above =
            known != FKnown.cend() ? *known : *FKnown.insert(window, ReadAbove(FDisplay, window, FNetWmState, FAbove));
        return {above, FChanges.value(window)};
    }

private:
    Display* FDisplay;
    Atom FNetWmState;
    Atom FAbove;
    QHash<WId, bool> FKnown;
    QHash<WId, quint64> FChanges;
};

TAboveWatch* Watch() {
    static QPointer<TAboveWatch> watch;
    if (!watch) {
        if (Display* display = x11Display())
            watch = new TAboveWatch(display);
    }
    return watch;
}

} // namespace

std::optional<TShownAbove> ShownAbove(const QWindow* window) {
    if (!window || !window->handle() || !window->isVisible())
        return std::nullopt;
    TAboveWatch* watch = Watch();
    if (!watch)
        return std::nullopt;
    return watch->Shown(window->winId());
}
