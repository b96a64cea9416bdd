#pragma once

#include "platform/LaunchTokens.h"

class QWindow;

// Brings a top-level window to the user on behalf of another start of the program: onto the workspace the
// user is on, restored if it is minimized, raised and given the focus. The launch tokens of that start are
// used up here: its startup notification is completed (so the launcher stops showing "starting…") and its
// user time, or on Wayland its activation token, tells the window manager that the user asked for this, so
// that focus-stealing prevention lets it through.
class IWindowActivation {
public:
    virtual ~IWindowActivation() = default;
    virtual void Activate(QWindow* window, const TLaunchTokens& launch) = 0;
};

IWindowActivation& DesktopWindowActivation();
