#include "gui/controls/ShotLabel.h"

#include "platform/ShellOpen.h"

#include <QMouseEvent>
#include <QPointer>

TFontStyles FontStylesOf(const QFont& font) {
    TFontStyles styles;
    styles.setFlag(TFontStyle::fsBold, font.bold());
    styles.setFlag(TFontStyle::fsItalic, font.italic());
    styles.setFlag(TFontStyle::fsUnderline, font.underline());
    styles.setFlag(TFontStyle::fsStrikeOut, font.strikeOut());
    return styles;
}

void SetFontStyles(QFont& font, TFontStyles styles) {
    font.setBold(styles.testFlag(TFontStyle::fsBold));
    font.setItalic(styles.testFlag(TFontStyle::fsItalic));
    font.setUnderline(styles.testFlag(TFontStyle::fsUnderline));
    font.setStrikeOut(styles.testFlag(TFontStyle::fsStrikeOut));
}

QString ShotLabelTarget(TCaptionType type, const QString& caption, const QString& linkTo) {
    if (type == TCaptionType::ctNone || caption.isEmpty())
        return QString();
    const QString mailto = QStringLiteral("mailto:");
    switch (type) {
    case TCaptionType::ctURL:
        return caption;
    case TCaptionType::ctMail:
        return mailto + caption;
    case TCaptionType::ctLinkToURL:
        return linkTo;
    case TCaptionType::ctLinkToMail:
        return linkTo.isEmpty() ? QString() : mailto + linkTo;
    case TCaptionType::ctNone:
        break;
    }
    return QString();
}

TShotLabel::TShotLabel(QWidget* parent) : QLabel(parent), FShellOpen(&DesktopShellOpen()) {
    setCursor(Qt::PointingHandCursor);
    SetFontColor(QColor(0x00, 0x00, 0xFF));
}

QColor TShotLabel::FontColor() const {
    return palette().color(QPalette::WindowText);
}

void TShotLabel::SetFontColor(const QColor& value) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, value);
    setPalette(colours);
}

void TShotLabel::SetFontStyle(TFontStyles value) {
    QFont styled = font();
    SetFontStyles(styled, value);
    setFont(styled);
}

void TShotLabel::ShowAs(const QColor& color, TFontStyles styles) {
    SetFontColor(color);
    SetFontStyle(styles);
}

void TShotLabel::SaveLook() {
    // Saved once: a second entry (or a press) before the look is restored must not save the hot look.
    if (FLookSaved)
        return;
    FSavedColor = FontColor();
    FSavedStyle = FontStyle();
    FLookSaved = true;
}

void TShotLabel::RestoreLook() {
    if (!FLookSaved)
        return;
    ShowAs(FSavedColor, FSavedStyle);
    FLookSaved = false;
}

void TShotLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    FHot = true;
    SaveLook();
    ShowAs(FFontColorHot, FFontStyleHot);
}

void TShotLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    FHot = false;
    RestoreLook();
}

void TShotLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    event->accept();
    FPressed = true;
    SaveLook();
    ShowAs(FFontColorDown, FFontStyleDown);
}

void TShotLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    event->accept();
    const bool over = rect().contains(event->position().toPoint());
    const bool clicked = FPressed && over;
    FPressed = false;
    // Away from the label the cursor has left it, though the leave itself comes only after the release.
    if (over && FHot) {
        ShowAs(FFontColorHot, FFontStyleHot);
    } else {
        FHot = false;
        RestoreLook();
    }
    if (clicked)
        Click();
}

void TShotLabel::Click() {
    const QPointer<TShotLabel> self(this);
    if (OnClick)
        OnClick(this);
    if (!self)
        return;
    const QString target = ShotLabelTarget(FCaptionType, Caption(), FCaptionLinkTo);
    if (!target.isEmpty() && FShellOpen)
        FShellOpen->OpenUrl(target);
}
