#pragma once

#include <QDialog>

class QFrame;
class QWidget;

// The frame every dialog of the program shares: owned by the window that opens it (so it stays above
// it, also when that window is always on top), a fixed border, the button-face colour, the main font,
// centred by its whole window (frame included) on the screen or over its owner when it opens, and one panel at 6, 6
// carrying all controls but the push buttons, first in the tab order (without a frame of its own unless the dialog
// gives it one).
// Widens a label, check box or radio button whose text would be cut off at its given width by just what is
// missing, as a label sized to its text would be; the height and the left edge stay. The fonts that stand in for the
// interface's own, and longer texts in another language, can need a few pixels more than the place the dialog gives.
void WidenToText(QWidget* control);

class TVelDialog : public QDialog {
    Q_OBJECT
public:
    TVelDialog(QWidget* owner, const QString& caption, QSize clientSize);

    QFrame* Panel() const { return FPanel; }

protected:
    // Names the panel, sizes it and gives it its raised frame.
    QFrame* SetUpPanel(const char* name, QSize size);
    // Opens centred over the owner's window instead of on the screen.
    void SetCentreOverOwner(bool value) { FCentreOverOwner = value; }
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The panel never keeps the focus: when it gets it, it hands it to the next tab stop.
    void PanelEnter();

private:
    QFrame* FPanel;
    bool FCentreOverOwner = false;
};
