#include "gui/main/UrlBox.h"

#include "core/text/ShiftJis.h"

#include <QKeyEvent>

TUrlBox::TUrlBox(QWidget* parent) : TOneLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, &TUrlBox::EncodeForeignCharacters);
    connect(this, &QLineEdit::textChanged, this, [this] { FTextBytesValid = false; });
}

QByteArray TUrlBox::TextBytes() const {
    // Asked by several commands' rules at every idle moment: convert once per change of the text.
    if (!FTextBytesValid) {
        FTextBytes = sjis::fromUnicodeUrl(text());
        FTextBytesValid = true;
    }
    return FTextBytes;
}

qsizetype TUrlBox::LengthBytes() const {
    return sjis::byteOffsetOf(text(), text().size());
}

qsizetype TUrlBox::SelStartBytes() const {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    return sjis::byteOffsetOf(text(), start);
}

void TUrlBox::SetTextBytes(const QByteArray& bytes, qsizetype caretBytes) {
    // Bytes that form no character are shown longer ("%XX"): the caret is placed by the decoded text.
    setText(sjis::toUnicode(bytes));
    setCursorPosition(static_cast<int>(sjis::decodedIndexOf(bytes, caretBytes)));
}

void TUrlBox::SetCaretBytes(qsizetype caretBytes) {
    setCursorPosition(static_cast<int>(sjis::indexOfByteOffset(text(), caretBytes)));
}

void TUrlBox::InsertAtCaret(const QByteArray& bytes) {
    const QString inserted = FirstLine(sjis::toUnicode(bytes));
    QString t = text();
    int start = cursorPosition();
    if (hasSelectedText()) {
        start = selectionStart();
        t.remove(start, selectionLength());
    }
    t.insert(start, inserted);
    setText(t);
    setCursorPosition(start + static_cast<int>(inserted.size()));
}

bool TUrlBox::IsReserved(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    return FReserved.contains(pressed);
}

bool TUrlBox::event(QEvent* event) {
    // Not overriding a reserved key lets the window's shortcut take it.
    if (event->type() == QEvent::ShortcutOverride && IsReserved(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return TOneLineEdit::event(event);
}

void TUrlBox::keyPressEvent(QKeyEvent* event) {
    // A reserved key whose menu item is disabled arrives here: it is consumed, as the menu would.
    if (IsReserved(event)) {
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter)
        emit EnterPressed();
    if (OnKeyPress && (enter || event->text().size() == 1)) {
        QChar key = enter ? QChar(u'\r') : event->text().at(0);
        OnKeyPress(key);
        if (key.isNull()) {
            event->accept();
            return;
        }
    }
    TOneLineEdit::keyPressEvent(event);
}

void TUrlBox::EncodeForeignCharacters() {
    const QString t = text();
    if (sjis::isEncodable(t))
        return;
    const int cursor = cursorPosition();
    const QString encoded = sjis::toUnicode(sjis::fromUnicodeUrl(t));
    // Keep the caret after the same characters it followed before the encoding.
    const QString before = sjis::toUnicode(sjis::fromUnicodeUrl(QStringView(t).left(cursor)));
    setText(encoded);
    setCursorPosition(static_cast<int>(before.size()));
}
