#include "gui/controls/OneLineEdit.h"

#include <QValidator>

namespace {

qsizetype IndexOfLineBreak(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\r' || text[i] == u'\n')
            return i;
    return -1;
}

// The line edit asks its validator after every change, whichever way the text came in, and takes the
// text it returns; this is the one place where all of them meet.
class TLineBreakCutter final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& text, int& cursor) const override {
        const qsizetype lineBreak = IndexOfLineBreak(text);
        if (lineBreak < 0)
            return Acceptable;
        // A change inserts one piece of text and leaves the caret after it, and the text around it holds
        // no break: the piece is cut at its break and the text after it stays.
        const qsizetype end = cursor > lineBreak ? cursor : text.size();
        text.remove(lineBreak, end - lineBreak);
        text = TOneLineEdit::FirstLine(text);
        cursor = static_cast<int>(lineBreak);
        return Acceptable;
    }
};

} // namespace

TOneLineEdit::TOneLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new TLineBreakCutter(this));
}

QString TOneLineEdit::FirstLine(const QString& text) {
    const qsizetype lineBreak = IndexOfLineBreak(text);
    return lineBreak < 0 ? text : text.left(lineBreak);
}
