#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QPointer>

#include "gui/controls/Actions.h"    // TActionLink
#include "gui/controls/MoxSBUtils.h" // TMoxSpeedButtonLayout, TMoxAlignment

class QMenu;

// The windowless key button of the on-screen keyboard: it never takes the keyboard focus, so the URL box
// keeps its caret and selection while keys are clicked. Painting goes through DrawButtonFace.
class TMoxSpeedButton final : public QAbstractButton, public TActionLink {
    Q_OBJECT
public:
    explicit TMoxSpeedButton(QWidget* parent = nullptr);
    ~TMoxSpeedButton() override;

    // An invalid QColor is the colour value "none".
    TMoxAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TMoxAlignment value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    QString Caption() const { return text(); }
    void SetCaption(const QString& value);
    // The face colour; while none has been set (or an invalid colour is set) it follows the parent's
    // background colour.
    QColor Color() const;
    void SetColor(const QColor& value);
    QColor ColorWhenDown() const { return FColorWhenDown; }
    void SetColorWhenDown(const QColor& value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    const QPixmap& Glyph() const { return FGlyph; }
    void SetGlyph(const QPixmap& value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    QColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(const QColor& value) { FHotTrackColor = value; }
    const QFont& HotTrackFont() const { return FHotTrackFont; }
    void SetHotTrackFont(const QFont& value) { FHotTrackFont = value; }
    QColor HotTrackFontColor() const { return FHotTrackFontColor; }
    void SetHotTrackFontColor(const QColor& value);
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& value);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& value) { setToolTip(value); }
    TMoxSpeedButtonLayout Layout() const { return FLayout; }
    void SetLayout(TMoxSpeedButtonLayout value);
    QColor LightColor() const { return FLightColor; }
    void SetLightColor(const QColor& value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    QColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(const QColor& value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool UseHotTrackFont() const { return FUseHotTrackFont; }
    void SetUseHotTrackFont(bool value) { FUseHotTrackFont = value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // Binds the key to an action: a click runs it; caption, enabled state and hint follow it.
    void SetAction(TAction* action) override;
    TAction* Action() const { return FAction; }

    // Shown below the key, its top-left corner at the key's bottom-left one, when the key is clicked; the
    // click runs once the menu has closed. The key does not own the menu.
    QMenu* PopupMenu() const;
    void SetPopupMenu(QMenu* value);

    bool MouseInside() const { return FMouseInside; }
    int HotLevel() const { return FHotLevel; }

    // The images of the actions' image list: a key bound to an action with an image index and without a
    // glyph of its own takes that image as its glyph. Shared by all keys; set it before binding actions.
    static void SetActionImages(const QList<QPixmap>& images);
    static const QList<QPixmap>& ActionImages();

signals:
    // Left button only; Down already holds its new value when it fires.
    void MouseDown(TMoxSpeedButton* sender);
    void MouseUp(TMoxSpeedButton* sender);
    // The pointer moved over the key, or anywhere while the left button is held after a press on it; pos is
    // in the key's coordinates.
    void MouseMove(TMoxSpeedButton* sender, QPoint pos);
    void MouseEnter(TMoxSpeedButton* sender);
    void MouseExit(TMoxSpeedButton* sender);
    void Click(TMoxSpeedButton* sender);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Repaint();
    void ActionChange();
    // What the face is painted from now.
    TButtonFace FaceInputs() const;
    void DoClick();
    void DoMouseEnter();
    void DoMouseLeave();
    void LeftPress();
    bool HandleAccelerator();
    bool ParentShowing() const;

    TMoxAlignment FAlignment = TMoxAlignment::taCenter;
    bool FAllowAllUp = false;
    QColor FColor;
    QColor FColorWhenDown;
    bool FDown = false;
    bool FFlat = false;
    QPixmap FGlyph;
    QImage FGlyphImage; // FGlyph as ARGB, what DrawButtonFace draws from
    int FGroupIndex = 0;
    QColor FHotTrackColor;
    QFont FHotTrackFont;
    QColor FFontColor{Qt::black};
    QColor FHotTrackFontColor{Qt::black};
    TMoxSpeedButtonLayout FLayout = blGlyphLeft;
    QColor FLightColor{Qt::white};
    int FNumGlyphs = 0;
    QColor FShadowColor{Qt::black};
    bool FTransparent = false;
    bool FUseHotTrackFont = false;
    bool FWordWrap = false;
    TAction* FAction = nullptr;
    QPointer<QMenu> FPopupMenu;
    TLinkedText FLinkedCaption;
    TLinkedText FLinkedHint;
    bool FMouseInside = false;
    int FHotLevel = 0;
    bool FChangingDown = false;
    bool FPressed = false;        // the left button went down on this key and is still held
    bool FDraggedOutside = false; // left while pressed; the platform's own leave follows the release
};
