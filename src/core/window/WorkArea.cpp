#include "core/window/WorkArea.h"

QPoint FitToWorkArea(const QRect& window, const QRect& workArea) {
    // Right and bottom are exclusive here, as a Windows RECT's are.
    const int workRight = workArea.x() + workArea.width();
    const int workBottom = workArea.y() + workArea.height();
    int left = window.x();
    int top = window.y();
    if (left < workArea.x())
        left = workArea.x();
    if (workRight < left + window.width())
        left = workRight - window.width();
    if (top < workArea.y())
        top = workArea.y();
    if (workBottom < top + window.height())
        top = workBottom - window.height();
    return {left, top};
}

QPoint CentredPosition(const QSize& window, const QRect& screen) {
    return {screen.x() + (screen.width() - window.width()) / 2, screen.y() + (screen.height() - window.height()) / 2};
}
