#include "platform/CapsLock.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

Display* x11Display() {
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->display() : nullptr;
}

// The locked Lock modifier of the core keyboard, asked of the X display the application runs on.
class TXkbCapsLock final : public ICapsLock {
public:
    bool IsOn() const override {
        Display* display = x11Display();
        if (!display)
            return false;
        XkbStateRec state{};
        if (XkbGetState(display, XkbUseCoreKbd, &state) != Success)
            return false;
        return (state.locked_mods & LockMask) != 0;
    }

    void Set(bool on) override {
        Display* display = x11Display();
        if (!display)
            return;
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
        XFlush(display);
    }
};

} // namespace

ICapsLock& DesktopCapsLock() {
    static TXkbCapsLock capsLock;
    return capsLock;
}
