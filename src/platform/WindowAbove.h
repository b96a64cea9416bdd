#pragma once

#include <QtGlobal>
#include <optional>

class QWindow;

// What the window system shows of a top-level window's always-on-top state. The window manager's own
// window menu can change it behind the program's back, so it may differ from what the program asked for.
struct TShownAbove {
    bool above = false;
    // How often the window system has announced a change of the window's state so far: a request has been
    // carried out only once a change was announced after it.
    quint64 changes = 0;
};

// On X11 the _NET_WM_STATE_ABOVE of the window, kept from the window system's change notices (no round
// trip at idle). Empty when the window system keeps no such state, or the window is not mapped.
std::optional<TShownAbove> ShownAbove(const QWindow* window);
