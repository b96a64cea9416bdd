#include "platform/CapsLock.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

Display* x11Display() {
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->display() : nullptr;
}

} // namespace

bool IsCapsLockOn() {
    Display* display = x11Display();
    if (!display)
        return false;
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success)
        return false;
    return (state.locked_mods & LockMask) != 0;
}

void SetCapsLock(bool on) {
    Display* display = x11Display();
    if (!display)
        return;
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
    XFlush(display);
}
