#include "gui/controls/VelUtils.h"

#include "core/window/WorkArea.h"
#include "platform/WindowAbove.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
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

namespace {

// The window's rectangle on the desktop with its frame as the platform knows it now. The widget's own frame
// geometry may still hold the frame of a moment ago: the window has been activated, but not yet moved, since
// the frame came.
QRect OuterRect(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return handle ? window->geometry().marginsAdded(handle->frameMargins()) : window->geometry();
}

// Places the client area so that the whole window is centred: the client's place is asked for, which the
// window manager keeps, frame or no frame.
void PlaceCentred(QWidget* window, const QWidget* owner) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!owner && !screen)
        return;
    const QRect outer = OuterRect(window);
    const QRect area = owner ? OuterRect(owner->window()) : screen->geometry();
    const QPoint frame = CentredPosition(outer.size(), area);
    window->setGeometry(QRect(frame + (window->geometry().topLeft() - outer.topLeft()), window->size()));
}

bool FrameKnown(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return window->isVisible() && handle && !handle->frameMargins().isNull();
}

// Centres its window again at the first event after which the window's frame is known, then goes away. A
// window that never gets a frame (no window manager) keeps the first placement.
class TCentreWhenFramed final : public QObject {
public:
    static constexpr const char* kName = "velCentreWhenFramed";

    TCentreWhenFramed(QWidget* window, const QWidget* owner) : QObject(window), FWindow(window), FOwner(owner) {
        setObjectName(QString::fromLatin1(kName));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == FWindow && IsPlacementEvent(event->type()) && FrameKnown(FWindow)) {
            FWindow->removeEventFilter(this);
            // An owner that has gone meanwhile: the centre of the screen instead.
            PlaceCentred(FWindow, FOwner.data());
            deleteLater();
        }
        return false;
    }

private:
    static bool IsPlacementEvent(QEvent::Type type) {
        return type == QEvent::Move || type == QEvent::Show || type == QEvent::Resize || type == QEvent::WindowActivate;
    }

    QWidget* FWindow;
    QPointer<const QWidget> FOwner;
};

} // namespace

void CentreWindow(QWidget* window, const QWidget* owner) {
    // A placement still waiting for the frame gives way to this one.
    const QString pendingName = QString::fromLatin1(TCentreWhenFramed::kName);
    for (QObject* pending : window->findChildren<QObject*>(pendingName, Qt::FindDirectChildrenOnly))
        delete pending;
    PlaceCentred(window, owner);
    if (!FrameKnown(window))
        new TCentreWhenFramed(window, owner);
}
