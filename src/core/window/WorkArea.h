#pragma once

#include <QPoint>
#include <QRect>

// Where a window of the given outer geometry goes so that it lies inside the work area: each edge is
// pulled in, left before right and top before bottom, so a window larger than the work area ends aligned
// with its right or bottom edge.
QPoint FitToWorkArea(const QRect& window, const QRect& workArea);

// The centred position of a window of the given outer size on a screen, in desktop coordinates (the
// screen need not start at 0, 0); integer division toward zero.
QPoint CentredPosition(const QSize& window, const QRect& screen);
