#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>

#include "gui/controls/Actions.h" // TActionLink

class TZelkTimer;

// Paints a picture button: yellow under everything (what shows where there is no picture), the picture at
// the top-left corner. size is in device-independent pixels; a picture with a device pixel ratio of 2 covers
// half its pixel size.
void DrawPictureButton(QPainter& canvas, QSize size, const QPixmap& picture);

// A button drawn entirely from pictures, one for each state: resting, under the mouse, held, just released,
// disabled. It never takes the focus. Bound to an action it follows the action's enabled state and hint and
// runs it when clicked; held down it can repeat OnLongMouseDown.
class TNelPictureButton final : public QWidget, public TActionLink {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TNelPictureButton* sender)>;
    using TMouseEvent = std::function<void(TNelPictureButton* sender, Qt::MouseButton button,
                                           Qt::KeyboardModifiers shift, int x, int y)>;

    explicit TNelPictureButton(QWidget* parent = nullptr);
    ~TNelPictureButton() override;

    // Binds the button to an action: a click runs it, the enabled state follows it, and an empty hint is
    // filled from the action's (a hint of the button's own stays).
    void SetAction(TAction* action) override;
    TAction* Action() const { return FAction; }

    // Milliseconds between two OnLongMouseDown events once a long press has begun.
    int LongMouseDownWait() const { return FLongMouseDownWait; }
    void SetLongMouseDownWait(int value) { FLongMouseDownWait = value; }

    const QPixmap& PictureOver() const { return FPictureOver; }
    void SetPictureOver(const QPixmap& value);
    const QPixmap& PictureDown() const { return FPictureDown; }
    void SetPictureDown(const QPixmap& value);
    const QPixmap& PictureUp() const { return FPictureUp; }
    void SetPictureUp(const QPixmap& value);
    const QPixmap& PictureDisable() const { return FPictureDisable; }
    void SetPictureDisable(const QPixmap& value);
    // The resting picture; setting it also shows it and sizes the button to it.
    const QPixmap& PictureNormal() const { return FPictureNormal; }
    void SetPictureNormal(const QPixmap& value);

    QString Hint() const { return toolTip(); }
    void SetHint(const QString& value) { setToolTip(value); }

    // The picture an enabled button shows now.
    const QPixmap& CurrentPicture() const { return FCurrent; }
    // The picture a paint draws now (the disabled picture while disabled, if there is one).
    const QPixmap& ShownPicture() const;
    bool Pressed() const { return FPressed; }

    TNotifyEvent OnLongMouseDown;
    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // A click as the mouse makes it: press and release in the middle (assistive technology uses it).
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Makes picture the current one, sizes the button to it and paints it at once.
    void ShowPicture(const QPixmap& picture);
    void SizeTo(const QPixmap& picture);
    void ActionChange();
    void DoClick();
    void StopLongPress();
    void LongPressTick();

    TAction* FAction = nullptr;
    TLinkedText FLinkedHint;
    int FLongMouseDownWait = 20;
    QPixmap FPictureOver;
    QPixmap FPictureDown;
    QPixmap FPictureUp;
    QPixmap FPictureDisable;
    QPixmap FPictureNormal;
    QPixmap FCurrent;
    bool FPressed = false;
    // The wait for a long press (its first tick), then the repeat of OnLongMouseDown.
    std::unique_ptr<TZelkTimer> FLongPressTimer;
    bool FRepeating = false;
};
