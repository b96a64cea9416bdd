#include "gui/main/UrlBox.h"

#include "core/text/ShiftJis.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

TUrlBox::TUrlBox(QWidget* parent) : TOneLineEdit(parent) {
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
    return TextBytes().size();
}

qsizetype TUrlBox::SelStartBytes() const {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    // Counted in the bytes actually written, so that a caret marker saved with the text never stands inside a
    // character or a percent escape. The box holds only characters the code page holds (others show as their
    // escapes), so each one's length is known without converting: this is asked at every idle moment.
    return sjis::byteOffsetOf(text(), start);
}

void TUrlBox::SetTextBytes(const QByteArray& bytes, qsizetype caretBytes) {
    // Bytes that form no character and control bytes are shown longer ("%XX"): the caret is placed by the
    // shown text.
    const QString decoded = sjis::toUnicode(bytes);
    const QString line = FirstLine(decoded);
    const qsizetype caret = std::min(sjis::decodedIndexOf(bytes, caretBytes), line.size());
    const boxtext::TFitted shown = boxtext::UrlForm(line, caret);
    setText(shown.text);
    setCursorPosition(static_cast<int>(shown.cursor));
}

void TUrlBox::SetCaretBytes(qsizetype caretBytes) {
    setCursorPosition(static_cast<int>(sjis::decodedIndexOf(TextBytes(), caretBytes)));
}

void TUrlBox::InsertAtCaret(const QByteArray& bytes) {
    const QString inserted = boxtext::UrlForm(FirstLine(sjis::toUnicode(bytes)));
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

boxtext::TFitted TUrlBox::FitText(QStringView before, QStringView after, qsizetype cursor) const {
    return boxtext::FitUrlChange(before, after, cursor);
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
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        if (!isReadOnly())
            emit PasteRequested(QClipboard::Clipboard);
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

namespace {

QString WithShortcut(const QString& caption, QKeySequence::StandardKey key) {
    const QKeySequence sequence(key);
    return sequence.isEmpty() ? caption : caption + u'\t' + sequence.toString(QKeySequence::NativeText);
}

} // namespace

// The line edit's own menu reads the clipboard to decide whether Paste is enabled, and waits for its owner to
// answer: this one is built the same way from what the box and the window already know.
QMenu* TUrlBox::CreateContextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("edURLMenu"));
    const bool editable = !isReadOnly();
    const auto add = [menu](const char* name, const QString& caption, QKeySequence::StandardKey key, bool enabled) {
        QAction* action = menu->addAction(WithShortcut(caption, key));
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
        return action;
    };
    connect(add("edit-undo", QLineEdit::tr("&Undo"), QKeySequence::Undo, editable && isUndoAvailable()),
            &QAction::triggered, this, &QLineEdit::undo);
    connect(add("edit-redo", QLineEdit::tr("&Redo"), QKeySequence::Redo, editable && isRedoAvailable()),
            &QAction::triggered, this, &QLineEdit::redo);
    menu->addSeparator();
    connect(add("edit-cut", QLineEdit::tr("Cu&t"), QKeySequence::Cut, editable && hasSelectedText()),
            &QAction::triggered, this, &QLineEdit::cut);
    connect(add("edit-copy", QLineEdit::tr("&Copy"), QKeySequence::Copy, hasSelectedText()), &QAction::triggered, this,
            &QLineEdit::copy);
    connect(add("edit-paste", QLineEdit::tr("&Paste"), QKeySequence::Paste, editable && FPasteOffered),
            &QAction::triggered, this, [this] { emit PasteRequested(QClipboard::Clipboard); });
    connect(add("edit-delete", QLineEdit::tr("Delete"), QKeySequence::UnknownKey, editable && hasSelectedText()),
            &QAction::triggered, this, &QLineEdit::del);
    menu->addSeparator();
    connect(add("select-all", QLineEdit::tr("Select All"), QKeySequence::SelectAll,
                !text().isEmpty() && selectedText() != text()),
            &QAction::triggered, this, &QLineEdit::selectAll);
    return menu;
}

void TUrlBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// A middle click pastes the primary selection as Paste does the clipboard: where the caret is, over the
// selection. The line edit's own would wait for the selection's owner.
void TUrlBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    TOneLineEdit::mousePressEvent(event);
}

void TUrlBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        if (!isReadOnly())
            emit PasteRequested(QClipboard::Selection);
        return;
    }
    TOneLineEdit::mouseReleaseEvent(event);
}
