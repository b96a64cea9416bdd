#pragma once

#include <QLineEdit>
#include <QString>

// A one-line edit box that no line break enters: text typed, pasted, dropped, committed by an input
// method or set is cut at its first CR or LF, as a system one-line edit box does. Every box that takes
// text from outside (the URL box, the template editor's box, path boxes) is one of these.
class TOneLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TOneLineEdit(QWidget* parent = nullptr);

    // The text up to its first CR or LF.
    static QString FirstLine(const QString& text);
};
