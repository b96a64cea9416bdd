#include "gui/controls/OneLineEdit.h"

#include <QValidator>

// The line edit asks its validator after every change, whichever way the text came in (setText included),
// and takes the text it returns; this is the one place where all of them meet.
class TLineBreakCutter final : public QValidator {
public:
    explicit TLineBreakCutter(TOneLineEdit* edit) : QValidator(edit), FEdit(edit) {}

    State validate(QString& text, int& cursor) const override {
        const boxtext::TFitted fitted = FEdit->FitText(FBefore, text, cursor);
        text = fitted.text;
        cursor = static_cast<int>(fitted.cursor);
        FBefore = text;
        return Acceptable;
    }

private:
    TOneLineEdit* FEdit;
    // The text as the last change left it: what a change is measured against.
    mutable QString FBefore;
};

TOneLineEdit::TOneLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new TLineBreakCutter(this));
}

QString TOneLineEdit::FirstLine(const QString& text) {
    return boxtext::FirstLine(text);
}

boxtext::TFitted TOneLineEdit::FitText(QStringView before, QStringView after, qsizetype cursor) const {
    return boxtext::FitChange(before, after, cursor);
}
