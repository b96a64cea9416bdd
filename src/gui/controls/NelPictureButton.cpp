#include "gui/controls/NelPictureButton.h"

#include "gui/controls/KeyAccessible.h"
#include "gui/controls/ZelkTimer.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>

namespace {

// How long the left button must be held before OnLongMouseDown starts.
constexpr int kLongPressDelay = 500;

} // namespace

void DrawPictureButton(QPainter& canvas, QSize size, const QPixmap& picture) {
    canvas.fillRect(QRect(QPoint(0, 0), size), QColor(0xFF, 0xFF, 0x00));
    if (!picture.isNull())
        canvas.drawPixmap(0, 0, picture);
}

TNelPictureButton::TNelPictureButton(QWidget* parent) : QWidget(parent) {
    InstallKeyAccessibility();
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(75, 25);
}

TNelPictureButton::~TNelPictureButton() = default;

// ---- pictures

void TNelPictureButton::SetPictureNormal(const QPixmap& value) {
    FPictureNormal = value;
    FCurrent = value;
    SizeTo(value);
    update();
}

void TNelPictureButton::SetPictureOver(const QPixmap& value) {
    FPictureOver = value;
    update();
}

void TNelPictureButton::SetPictureDown(const QPixmap& value) {
    FPictureDown = value;
    update();
}

void TNelPictureButton::SetPictureUp(const QPixmap& value) {
    FPictureUp = value;
    update();
}

void TNelPictureButton::SetPictureDisable(const QPixmap& value) {
    FPictureDisable = value;
    if (!isEnabled())
        SizeTo(value);
    update();
}

const QPixmap& TNelPictureButton::ShownPicture() const {
    if (!isEnabled() && !FPictureDisable.isNull())
        return FPictureDisable;
    return FCurrent.isNull() ? FPictureNormal : FCurrent;
}

void TNelPictureButton::SizeTo(const QPixmap& picture) {
    // An empty picture leaves the size alone: a button must not shrink to nothing.
    if (!picture.isNull())
        resize(picture.deviceIndependentSize().toSize());
}

void TNelPictureButton::ShowPicture(const QPixmap& picture) {
    FCurrent = picture;
    SizeTo(picture);
    repaint();
}

void TNelPictureButton::paintEvent(QPaintEvent*) {
    if (FCurrent.isNull())
        FCurrent = FPictureNormal;
    QPainter canvas(this);
    DrawPictureButton(canvas, size(), ShownPicture());
}

// ---- state

void TNelPictureButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        // A disabled button gets no release: a press it was in ends here, and with it any long press.
        if (!isEnabled()) {
            FPressed = false;
            StopLongPress();
        }
        SizeTo(ShownPicture());
        update();
    }
    QWidget::changeEvent(event);
}

void TNelPictureButton::hideEvent(QHideEvent* event) {
    FPressed = false;
    StopLongPress();
    QWidget::hideEvent(event);
}

void TNelPictureButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (!isEnabled())
        return;
    if (!FPictureOver.isNull())
        ShowPicture(FPictureOver);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TNelPictureButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (!isEnabled()) {
        // Out of sight while disabled, but a button enabled again with the cursor away must rest.
        if (!FPictureNormal.isNull())
            FCurrent = FPictureNormal;
        return;
    }
    if (!FPictureNormal.isNull())
        ShowPicture(FPictureNormal);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// ---- mouse

void TNelPictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    FPressed = true;
    if (!FLongPressTimer && OnLongMouseDown) {
        FRepeating = false;
        FLongPressTimer = std::make_unique<TZelkTimer>(kLongPressDelay, [this](TZelkTimer*) { LongPressTick(); });
        FLongPressTimer->SetEnabled(true);
    }
    const QPointer<TNelPictureButton> self(this);
    if (OnMouseDown) {
        const QPoint pos = event->position().toPoint();
        OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
        if (!self)
            return;
    }
    if (!FPictureDown.isNull())
        ShowPicture(FPictureDown);
}

void TNelPictureButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click is one more press.
    mousePressEvent(event);
}

void TNelPictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    const QPoint pos = event->position().toPoint();
    const bool over = rect().contains(pos);
    const QPointer<TNelPictureButton> self(this);
    // The click runs before the release is handled, and only for a press that began on this button.
    if (FPressed && over) {
        DoClick();
        if (!self)
            return;
    }
    if (!isEnabled())
        return;
    FPressed = false;
    StopLongPress();
    if (OnMouseUp) {
        OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y());
        if (!self)
            return;
    }
    const QPixmap& overPicture = FPictureUp.isNull() ? FPictureOver : FPictureUp;
    const QPixmap& released = over ? overPicture : FPictureNormal;
    // The released picture becomes the current one, so a later repaint shows it rather than the held one.
    if (!released.isNull())
        ShowPicture(released);
}

void TNelPictureButton::DoClick() {
    const QPointer<TNelPictureButton> self(this);
    if (FAction)
        FAction->Execute();
    if (self && isEnabled() && OnClick)
        OnClick(this);
}

void TNelPictureButton::Click() {
    if (!isEnabled())
        return;
    const QPointer<TNelPictureButton> self(this);
    const QPointF centre = QRectF(rect()).center();
    const QPointF global = mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &press);
    if (!self)
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &release);
}

// ---- long press

void TNelPictureButton::StopLongPress() {
    FLongPressTimer.reset();
    FRepeating = false;
}

// Each step runs on a timer tick and returns to the event loop, so the release (and everything else) is
// handled between two steps as it comes.
void TNelPictureButton::LongPressTick() {
    if (!FRepeating) {
        // The wait is over (a timer may free itself in its own tick): from here on it repeats.
        FLongPressTimer.reset();
        if (!OnLongMouseDown || !FPressed)
            return;
        FRepeating = true;
        FLongPressTimer =
            std::make_unique<TZelkTimer>(std::max(1, FLongMouseDownWait), [this](TZelkTimer*) { LongPressTick(); });
        FLongPressTimer->SetEnabled(true);
    }
    if (!FPressed || !OnLongMouseDown) {
        StopLongPress();
        return;
    }
    OnLongMouseDown(this);
}

// ---- action

void TNelPictureButton::SetAction(TAction* action) {
    if (FAction == action)
        return;
    if (FAction)
        disconnect(FAction, nullptr, this, nullptr);
    FAction = action;
    if (!FAction)
        return;
    connect(FAction, &TAction::Changed, this, &TNelPictureButton::ActionChange);
    connect(FAction, &QObject::destroyed, this, [this] { FAction = nullptr; });
    FLinkedHint.Link(Hint(), FAction->Hint());
    ActionChange();
}

void TNelPictureButton::ActionChange() {
    if (!FAction)
        return;
    FLinkedHint.Follow(Hint(), FAction->Hint(), [this](const QString& text) { SetHint(text); });
    setEnabled(FAction->Enabled());
}
