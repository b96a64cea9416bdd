#pragma once

#include <QPoint>

class QWidget;

// Asks the window system to put the window into the always-on-top band or out of it, without moving or
// activating it. The window manager carries the request out a moment later.
void SetTopMost(QWidget* window, bool on);
// Whether the window is top-most as the window system shows it (the window manager's own menu can change
// that); where the window system keeps no such state, what was last asked for.
bool IsTopMost(const QWidget* window);
// What was last asked for.
bool TopMostAskedFor(const QWidget* window);
// True when the window system shows a top-most state other than the one last asked for, although that
// request has been carried out: someone else, the window manager's menu, changed it since.
bool TopMostChangedElsewhere(QWidget* window);

// Moves the window inside the primary screen's work area.
void FitFormToWorkArea(QWidget* form);

// The position that centres the window, by its current outer size, on the primary screen (wherever that
// screen lies on the desktop).
QPoint ScreenCentre(const QWidget* window);

// Centres the window by its whole outer size, frame included: on the primary screen, or over the window of
// owner when one is given. A window manager frames a window only once it is mapped, and until then the outer
// size is the client size: the window is centred once more, exactly once, when its frame first becomes known.
void CentreWindow(QWidget* window, const QWidget* owner = nullptr);
