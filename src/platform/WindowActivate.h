#pragma once

class QWindow;

// Brings a top-level window to the front on behalf of another program (a second start): restored if it is
// minimized, raised and given the focus. A window manager that prevents focus stealing would refuse an
// ordinary request from a program the user is not working with, so on X11 the request comes as a pager's
// _NET_ACTIVE_WINDOW with a fresh server time.
class IWindowActivation {
public:
    virtual ~IWindowActivation() = default;
    virtual void Activate(QWindow* window) = 0;
};

IWindowActivation& DesktopWindowActivation();
