#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

class QTimer;

// The window every hint of the program shows in: a flat tooltip with a one-pixel frame and wider margins
// than the toolkit's own. The text is shown as it is: an "&" stays an "&".
class THintWindowXP final : public QWidget {
    Q_OBJECT
public:
    THintWindowXP();

    // The window's size for a text: the text measured with word breaks at most maxWidth wide, then 10 wider
    // and 6 higher.
    static QRect CalcHintRect(const QFont& font, int maxWidth, const QString& text);
    // Where the text sits inside the window: 1 for the frame, 4 for the margin.
    static constexpr int kTextOffset = 5;

    void ActivateHint(const QPoint& cursor, const QString& text);
    QString Hint() const { return FHint; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FHint;
};

// Shows the hints of every widget in THintWindowXP: 500 ms after the pointer comes to rest on a widget
// with a hint, straight away when it moves on from one hint to the next, and gone after 2,500 ms. Qt's own
// tooltips never show.
class THintManager final : public QObject {
    Q_OBJECT
public:
    static constexpr int kShowDelay = 500;
    static constexpr int kHideAfter = 2500;

    static THintManager* Install();
    static THintManager* Instance();

    // Whether a widget's hint may show (the main window turns its hints off with ShowToolTip).
    std::function<bool(const QWidget*)> HintAllowed;
    THintWindowXP* Window() const { return FWindow; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    THintManager();
    void Entered(QWidget* widget);
    void Left(QWidget* widget);
    void ShowPending();
    void HideHint();

    THintWindowXP* FWindow;
    QTimer* FShowTimer;
    QTimer* FHideTimer;
    QPointer<QWidget> FPending;
    QPointer<QWidget> FShown;
    qint64 FLastHidden = -1;
};
