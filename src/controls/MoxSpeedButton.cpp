#include "controls/MoxSpeedButton.h"

#include "common/Actions.h"

#include <QMouseEvent>
#include <QPainter>

TMoxSpeedButton::TMoxSpeedButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    resize(100, 23);
}

TMoxSpeedButton::~TMoxSpeedButton() = default;

void TMoxSpeedButton::SetAlignment(TMoxAlignment value) {
    FAlignment = value, update();
}
void TMoxSpeedButton::SetCaption(const QString& value) {
    setText(value), update();
}
void TMoxSpeedButton::SetColor(const QColor& value) {
    FColor = value, update();
}
void TMoxSpeedButton::SetColorWhenDown(const QColor& value) {
    FColorWhenDown = value, update();
}
void TMoxSpeedButton::SetFlat(bool value) {
    FFlat = value, update();
}
void TMoxSpeedButton::SetGlyph(const QPixmap& value) {
    FGlyph = value;
    FNumGlyphs = value.height() ? value.width() / value.height() : 0;
    update();
}
void TMoxSpeedButton::SetGroupIndex(int value) {
    FGroupIndex = value, update();
}
void TMoxSpeedButton::SetHotTrackFontColor(const QColor& value) {
    FHotTrackFontColor = value, update();
}
void TMoxSpeedButton::SetFontColor(const QColor& value) {
    if (FFontColor != value)
        FFontColor = value, update();
}
void TMoxSpeedButton::SetLayout(TMoxSpeedButtonLayout value) {
    FLayout = value, update();
}
void TMoxSpeedButton::SetLightColor(const QColor& value) {
    FLightColor = value, update();
}
void TMoxSpeedButton::SetNumGlyphs(int value) {
    FNumGlyphs = value, update();
}
void TMoxSpeedButton::SetShadowColor(const QColor& value) {
    FShadowColor = value, update();
}
void TMoxSpeedButton::SetTransparent(bool value) {
    FTransparent = value, update();
}
void TMoxSpeedButton::SetWordWrap(bool value) {
    FWordWrap = value, update();
}

void TMoxSpeedButton::SetDown(bool value) {
    if (value == FDown)
        return;
    if (FGroupIndex != 0 && parentWidget())
        for (auto* other : parentWidget()->findChildren<TMoxSpeedButton*>(Qt::FindDirectChildrenOnly))
            if (other != this && other->FGroupIndex == FGroupIndex)
                other->SetDown(false);
    FDown = value;
    update();
}

void TMoxSpeedButton::SetAction(TAction* action) {
    FAction = action;
    connect(action, &TAction::Changed, this, &TMoxSpeedButton::ActionChange);
    ActionChange();
}

void TMoxSpeedButton::ActionChange() {
    setEnabled(FAction->Enabled());
    update();
}

void TMoxSpeedButton::Repaint() {
    update();
}

void TMoxSpeedButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool down = FDown && isEnabled();
    p.fillRect(rect(), down && FColorWhenDown.isValid() ? FColorWhenDown : FColor);
    if (!FFlat || FMouseInside || down) {
        p.setPen(down ? FShadowColor : FLightColor);
        p.drawLine(0, height() - 1, 0, 0);
        p.drawLine(0, 0, width() - 1, 0);
        p.setPen(down ? FLightColor : FShadowColor);
        p.drawLine(width() - 1, 0, width() - 1, height() - 1);
        p.drawLine(width() - 1, height() - 1, 0, height() - 1);
    }
    p.setFont(FMouseInside && FUseHotTrackFont ? FHotTrackFont : font());
    p.setPen(isEnabled() ? FFontColor : QColor(0x80, 0x80, 0x80));
    QString caption = text();
    caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
    p.drawText(rect().translated(down, down), Qt::AlignCenter, caption);
    if (FNumGlyphs > 0) {
        const int cw = FGlyph.width() / FNumGlyphs;
        p.drawPixmap((width() - cw) / 2 + down, (height() - FGlyph.height()) / 2 + down, FGlyph, isEnabled() ? 0 : cw,
                     0, cw, FGlyph.height());
    }
}

void TMoxSpeedButton::enterEvent(QEnterEvent*) {
    FMouseInside = true;
    FHotLevel = 8;
    update();
}

void TMoxSpeedButton::leaveEvent(QEvent*) {
    FMouseInside = false;
    FHotLevel = 0;
    if (FGroupIndex == 0)
        FDown = false;
    update();
}

void TMoxSpeedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    FPressed = true;
    if (FGroupIndex == 0 || !FDown)
        SetDown(true);
    else if (FAllowAllUp)
        SetDown(false);
    emit MouseDown(this);
}

void TMoxSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TMoxSpeedButton::mouseMoveEvent(QMouseEvent*) {}

void TMoxSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        DoClick();
    if (FGroupIndex == 0)
        SetDown(false);
    emit MouseUp(this);
}

void TMoxSpeedButton::DoClick() {
    if (FAction)
        FAction->Execute();
    else
        emit Click(this);
}

bool TMoxSpeedButton::event(QEvent* event) {
    return QAbstractButton::event(event);
}
