#pragma once

#include <QDialog>

class QWidget;

// The frame every dialog of the program shares: owned by the window that opens it (so it stays above
// it, also when that window is always on top), a fixed border, the button-face colour, the main font,
// and one panel at 6, 6 carrying all controls but the push buttons, first in the tab order.
class TVelDialog : public QDialog {
    Q_OBJECT
public:
    TVelDialog(QWidget* owner, const QString& caption, QSize clientSize);

    QWidget* Panel() const { return FPanel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* FPanel;
};
