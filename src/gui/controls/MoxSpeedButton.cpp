#include "gui/controls/MoxSpeedButton.h"

#include "gui/controls/Actions.h"
#include "gui/controls/KeyAccessible.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>

namespace {

QList<QPixmap>& ActionImageList() {
    static QList<QPixmap> images;
    return images;
}

} // namespace

TMoxSpeedButton::TMoxSpeedButton(QWidget* parent) : QAbstractButton(parent) {
    InstallKeyAccessibility();
    // Keys are clicked while the URL box keeps the caret, so they must never take the focus.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves over a key are reported whether or not a button is held.
    setMouseTracking(true);
    FHotTrackFont = parent ? parent->window()->font() : QApplication::font();
    resize(100, 23);
}

TMoxSpeedButton::~TMoxSpeedButton() = default;

void TMoxSpeedButton::SetActionImages(const QList<QPixmap>& images) {
    ActionImageList() = images;
}

const QList<QPixmap>& TMoxSpeedButton::ActionImages() {
    return ActionImageList();
}

// ---- properties

QColor TMoxSpeedButton::Color() const {
    return FColor.isValid() ? FColor : palette().color(QPalette::Window);
}

void TMoxSpeedButton::SetColor(const QColor& value) {
    if (FColor == value)
        return;
    FColor = value;
    Repaint();
}

QMenu* TMoxSpeedButton::PopupMenu() const {
    return FPopupMenu;
}

void TMoxSpeedButton::SetPopupMenu(QMenu* value) {
    FPopupMenu = value;
}

void TMoxSpeedButton::SetAlignment(TMoxAlignment value) {
    if (FAlignment == value)
        return;
    FAlignment = value;
    Repaint();
}

void TMoxSpeedButton::SetCaption(const QString& value) {
    // setText also (re)registers the caption's "&" accelerator and schedules the repaint.
    setText(value);
}

void TMoxSpeedButton::SetColorWhenDown(const QColor& value) {
    if (FColorWhenDown == value)
        return;
    FColorWhenDown = value;
    Repaint();
}

void TMoxSpeedButton::SetDown(bool value) {
    // A key that is busy releasing its group ignores being released by it in turn: with two keys of a group
    // down at once (after a change of GroupIndex) they would otherwise release each other endlessly.
    if (FDown == value || FChangingDown)
        return;
    FChangingDown = true;
    if (FGroupIndex != 0 && parentWidget()) {
        const auto siblings = parentWidget()->findChildren<TMoxSpeedButton*>(Qt::FindDirectChildrenOnly);
        for (TMoxSpeedButton* other : siblings)
            if (other != this && other->FGroupIndex == FGroupIndex)
                other->SetDown(false);
    }
    FChangingDown = false;
    FDown = value;
    Repaint();
    KeyDownChanged(this);
}

void TMoxSpeedButton::SetFlat(bool value) {
    if (FFlat == value)
        return;
    FFlat = value;
    Repaint();
}

void TMoxSpeedButton::SetGlyph(const QPixmap& value) {
    FGlyph = value;
    FGlyphImage = value.isNull() ? QImage() : value.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    FNumGlyphs = value.height() > 0 ? value.width() / value.height() : 0;
    update();
}

void TMoxSpeedButton::SetGroupIndex(int value) {
    if (FGroupIndex == value)
        return;
    FGroupIndex = value;
    Repaint();
}

void TMoxSpeedButton::SetHotTrackFontColor(const QColor& value) {
    if (FHotTrackFontColor == value)
        return;
    FHotTrackFontColor = value;
    if (FMouseInside && FUseHotTrackFont)
        Repaint();
}

void TMoxSpeedButton::SetFontColor(const QColor& value) {
    if (FFontColor == value)
        return;
    FFontColor = value;
    Repaint();
}

void TMoxSpeedButton::SetLayout(TMoxSpeedButtonLayout value) {
    if (FLayout == value)
        return;
    FLayout = value;
    Repaint();
}

void TMoxSpeedButton::SetLightColor(const QColor& value) {
    if (FLightColor == value)
        return;
    FLightColor = value;
    Repaint();
}

void TMoxSpeedButton::SetNumGlyphs(int value) {
    value = std::max(value, 0);
    if (FNumGlyphs == value)
        return;
    FNumGlyphs = value;
    update();
}

void TMoxSpeedButton::SetShadowColor(const QColor& value) {
    if (FShadowColor == value)
        return;
    FShadowColor = value;
    Repaint();
}

void TMoxSpeedButton::SetTransparent(bool value) {
    if (FTransparent == value)
        return;
    FTransparent = value;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    if (value)
        update();
    else
        repaint();
}

void TMoxSpeedButton::SetWordWrap(bool value) {
    if (FWordWrap == value)
        return;
    FWordWrap = value;
    Repaint();
}

// ---- painting

void TMoxSpeedButton::Repaint() {
    // An opaque key covers all of itself, so it can be painted at once; a transparent one needs the
    // parent's background painted under it first, which the next paint cycle does.
    if (FTransparent)
        update();
    else
        repaint();
}

void TMoxSpeedButton::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    // The face is drawn off screen, and the image (with the paint engine a painter leaves on it) is let go
    // after each paint: kept by every key of the keyboard, they came to several hundred kilobytes.
    QImage buffer((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(ratio);
    if (FTransparent)
        buffer.fill(Qt::transparent);

    {
        QPainter canvas(&buffer);
        DrawButtonFace(canvas, FaceInputs());
    }
    QPainter painter(this);
    painter.drawImage(0, 0, buffer);
}

TButtonFace TMoxSpeedButton::FaceInputs() const {
    const bool hotFont = FMouseInside && FUseHotTrackFont;
    TButtonFace face;
    face.W = width();
    face.H = height();
    face.alignment = FAlignment;
    face.caption = text();
    face.layout = FLayout;
    face.font = hotFont ? FHotTrackFont : font();
    face.fontColor = hotFont ? FHotTrackFontColor : FFontColor;
    face.shadowColor = FShadowColor;
    face.lightColor = FLightColor;
    face.hotTrackColor = FHotTrackColor;
    face.colorWhenDown = FColorWhenDown;
    face.faceColor = Color();
    face.wordWrap = FWordWrap;
    face.flat = FFlat;
    face.enabled = isEnabled();
    face.transparent = FTransparent;
    face.mouseInside = FMouseInside;
    face.down = FDown;
    face.glyph = FGlyphImage;
    face.numGlyphs = FNumGlyphs;
    face.hotLevel = FHotLevel;
    return face;
}

void TMoxSpeedButton::changeEvent(QEvent* event) {
    // A key disabled while held gets no release; without this it would come back down when enabled again.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        FPressed = false;
        FDraggedOutside = false;
        if (FGroupIndex == 0)
            FDown = false;
    }
    QAbstractButton::changeEvent(event);
}

// ---- mouse

bool TMoxSpeedButton::ParentShowing() const {
    return parentWidget() && parentWidget()->isVisible();
}

void TMoxSpeedButton::DoMouseEnter() {
    if (!isEnabled() || !isVisible() || !ParentShowing())
        return;
    FMouseInside = true;
    FHotLevel = 8;
    Repaint();
    emit MouseEnter(this);
}

void TMoxSpeedButton::DoMouseLeave() {
    FMouseInside = false;
    if (FGroupIndex == 0)
        FDown = false;
    FHotLevel = 0;
    Repaint();
    if (isEnabled() && isVisible() && ParentShowing())
        emit MouseExit(this);
    update();
}

void TMoxSpeedButton::enterEvent(QEnterEvent* event) {
    FDraggedOutside = false;
    DoMouseEnter();
    QAbstractButton::enterEvent(event);
}

void TMoxSpeedButton::leaveEvent(QEvent* event) {
    // After a drag off the key the leave has been handled already, when the pointer crossed the edge.
    if (FDraggedOutside)
        FDraggedOutside = false;
    else
        DoMouseLeave();
    QAbstractButton::leaveEvent(event);
}

void TMoxSpeedButton::mouseMoveEvent(QMouseEvent* event) {
    // The platform holds back leave and enter while a button is held on the key, so the crossings of
    // its edge during a drag are found here.
    if (FPressed) {
        const bool inside = rect().contains(event->position().toPoint());
        if (!inside && FMouseInside) {
            DoMouseLeave();
            FDraggedOutside = true;
        } else if (inside && FDraggedOutside) {
            FDraggedOutside = false;
            DoMouseEnter();
        }
    }
    event->accept();
    emit MouseMove(this, event->position().toPoint());
}

void TMoxSpeedButton::LeftPress() {
    if (FGroupIndex == 0 || !FDown)
        SetDown(true);
    else if (FAllowAllUp)
        SetDown(false);
    FPressed = true;
    emit MouseDown(this);
}

void TMoxSpeedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    LeftPress();
}

void TMoxSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click is one more press, so a quick double click types twice.
    mousePressEvent(event);
}

void TMoxSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const QPointer<TMoxSpeedButton> self(this);
    if (event->button() == Qt::LeftButton && FPressed) {
        FPressed = false;
        if (rect().contains(event->position().toPoint())) {
            DoClick();
            if (!self)
                return;
        }
    }
    if (FGroupIndex == 0)
        SetDown(false);
    emit MouseUp(this);
}

void TMoxSpeedButton::DoClick() {
    // The click is handled once the user has chosen from the menu or closed it, so it sees what the choice
    // did. The choice may have closed the window and deleted this key with it.
    if (FPopupMenu) {
        const QPointer<TMoxSpeedButton> self(this);
        FPopupMenu->exec(mapToGlobal(QPoint(0, height())));
        if (!self)
            return;
    }
    if (FAction)
        FAction->Execute();
    else
        emit Click(this);
}

// ---- accelerator

bool TMoxSpeedButton::HandleAccelerator() {
    if (!isEnabled() || !isVisible() || !ParentShowing())
        return false;
    const QPointer<TMoxSpeedButton> self(this);
    const bool wasDown = FDown;
    SetDown(true);
    repaint();
    DoClick();
    if (!self)
        return true;
    SetDown(wasDown);
    repaint();
    return true;
}

bool TMoxSpeedButton::event(QEvent* event) {
    // The only shortcut a key registers is the Alt accelerator of its caption (done by setText).
    if (event->type() == QEvent::Shortcut)
        return HandleAccelerator();
    return QAbstractButton::event(event);
}

// ---- action

void TMoxSpeedButton::SetAction(TAction* action) {
    if (FAction == action)
        return;
    if (FAction)
        disconnect(FAction, nullptr, this, nullptr);
    FAction = action;
    if (!FAction)
        return;
    connect(FAction, &TAction::Changed, this, &TMoxSpeedButton::ActionChange);
    connect(FAction, &QObject::destroyed, this, [this] { FAction = nullptr; });
    FLinkedCaption.Link(Caption(), FAction->Caption());
    FLinkedHint.Link(Hint(), FAction->Hint());
    ActionChange();
}

void TMoxSpeedButton::ActionChange() {
    if (!FAction)
        return;
    FLinkedCaption.Follow(Caption(), FAction->Caption(), [this](const QString& text) { SetCaption(text); });
    FLinkedHint.Follow(Hint(), FAction->Hint(), [this](const QString& text) { SetHint(text); });
    setEnabled(FAction->Enabled());

    const int index = FAction->ImageIndex();
    const QList<QPixmap>& images = ActionImageList();
    if (index < 0 || index >= images.size() || !FGlyph.isNull() || images.at(index).isNull())
        return;
    const QPixmap& image = images.at(index);
    QPixmap glyph(image.size());
    glyph.fill(QColor(0xFF, 0x00, 0xFF));
    {
        QPainter painter(&glyph);
        painter.drawPixmap(0, 0, image);
    }
    FGlyph = glyph;
    FGlyphImage = glyph.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    FNumGlyphs = 1;
    repaint();
}
