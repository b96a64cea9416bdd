#pragma once

#include "core/text/BoxText.h"

#include <QLineEdit>
#include <QString>

// A one-line edit box that no line break enters: text typed, pasted, dropped, committed by an input method,
// set by the program or by a screen reader is cut at its first CR, LF or NUL, as a system one-line edit box
// does, and the text around the change stays. Every box that takes text from outside (the URL box, the
// template editor's box, path boxes) is one of these.
class TOneLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TOneLineEdit(QWidget* parent = nullptr);

    // The text up to its first CR, LF or NUL.
    static QString FirstLine(const QString& text);

protected:
    friend class TLineBreakCutter;
    // What the box keeps of a change from before to after (caret at cursor). A box with stricter rules adds
    // its own; every change of the text, whatever its source, comes through here.
    virtual boxtext::TFitted FitText(QStringView before, QStringView after, qsizetype cursor) const;
};
