#include "gui/controls/VelUtils.h"

#include "core/window/WorkArea.h"
#include "platform/WindowAbove.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace {

// While a top-most request is on its way, the window system's change count when it was made.
const char* const kTopMostAskedAt = "velTopMostAskedAt";

std::optional<TShownAbove> Shown(const QWidget* window) {
    return ShownAbove(window->windowHandle());
}

} // namespace

void SetTopMost(QWidget* window, bool on) {
    const std::optional<TShownAbove> shown = Shown(window);
    // A request made while an earlier one is still on its way waits for that one too: the window system
    // may show the earlier state for a moment.
    if (shown && (shown->above != on || window->property(kTopMostAskedAt).isValid()))
        window->setProperty(kTopMostAskedAt, shown->changes);
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    // QWidget::setWindowFlags would hide the window; the native window takes the new state in place
    // (_NET_WM_STATE_ABOVE), and the widget is told without a round trip to the window system.
    window->overrideWindowFlags(flags);
    if (QWindow* handle = window->windowHandle())
        handle->setFlags(flags);
}

bool TopMostAskedFor(const QWidget* window) {
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

bool IsTopMost(const QWidget* window) {
    const std::optional<TShownAbove> shown = Shown(window);
    return shown ? shown->above : TopMostAskedFor(window);
}

bool TopMostChangedElsewhere(QWidget* window) {
    const std::optional<TShownAbove> shown = Shown(window);
    if (!shown)
        return false;
    const QVariant askedAt = window->property(kTopMostAskedAt);
    if (askedAt.isValid()) {
        if (shown->changes > askedAt.toULongLong() && shown->above == TopMostAskedFor(window))
            window->setProperty(kTopMostAskedAt, QVariant());
        return false;
    }
    return shown->above != TopMostAskedFor(window);
}

void FitFormToWorkArea(QWidget* form) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QPoint pos = FitToWorkArea(form->frameGeometry(), screen->availableGeometry());
    if (pos != form->frameGeometry().topLeft())
        form->move(pos);
}

QPoint ScreenCentre(const QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? CentredPosition(window->frameGeometry().size(), screen->geometry()) : window->pos();
}

void CentreOnScreen(QWidget* window) {
    window->move(ScreenCentre(window));
}
