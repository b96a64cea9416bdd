#include "common/VelUtils.h"

#include "common/WorkArea.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

void SetTopMost(QWidget* window, bool on) {
    if (IsTopMost(window) == on)
        return;
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    // QWidget::setWindowFlags would hide the window; the native window takes the new state in place
    // (_NET_WM_STATE_ABOVE), and the widget is told without a round trip to the window system.
    window->overrideWindowFlags(flags);
    if (QWindow* handle = window->windowHandle())
        handle->setFlags(flags);
}

bool IsTopMost(const QWidget* window) {
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void FitFormToWorkArea(QWidget* form) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QPoint pos = FitToWorkArea(form->frameGeometry(), screen->availableGeometry());
    if (pos != form->frameGeometry().topLeft())
        form->move(pos);
}
