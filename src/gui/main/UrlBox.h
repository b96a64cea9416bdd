#pragma once

#include "gui/controls/OneLineEdit.h"

#include <QByteArray>
#include <QClipboard>
#include <QKeySequence>
#include <QList>
#include <functional>

class QMenu;

// The URL box. Its text is seen by the rules as code page 932 bytes with byte offsets for the caret and
// the selection. Whatever changes the text (typing, the program, a screen reader), a control character
// becomes "%XX" and a character that the code page cannot hold its percent-encoded UTF-8 form as it enters,
// so the bytes always describe exactly what the box shows. No line break or NUL enters it.
//
// The box never reads the clipboard itself: a program that owns it and never answers would freeze the
// window. Shift+Insert, the context menu's Paste and a middle click ask through PasteRequested, and the
// window inserts the answer with InsertAtCaret.
class TUrlBox final : public TOneLineEdit {
    Q_OBJECT
public:
    explicit TUrlBox(QWidget* parent = nullptr);

    QByteArray TextBytes() const;
    qsizetype LengthBytes() const;
    // Lower end of the selection, or the caret when nothing is selected, in the bytes TextBytes writes.
    qsizetype SelStartBytes() const;

    // Replaces the whole text, up to its first line break or NUL; the caret goes to caretBytes (rounded down
    // to a character start).
    void SetTextBytes(const QByteArray& text, qsizetype caretBytes = 0);
    void SetCaretBytes(qsizetype caretBytes);

    // Replaces the selection, or inserts at the caret, the text up to its first line break; the caret
    // ends after the inserted text, nothing selected. Not recorded for the box's undo.
    void InsertAtCaret(const QByteArray& text);

    // Keys that belong to the window's menu: the box neither handles nor overrides them.
    void SetReservedKeys(const QList<QKeySequence>& keys) { FReserved = keys; }

    // Whether the context menu offers Paste: the window knows what the clipboard holds without asking it.
    void SetPasteOffered(bool offered) { FPasteOffered = offered; }
    // The box's context menu, as the line edit's own but with a Paste that asks through PasteRequested.
    QMenu* CreateContextMenu();

    // Sees each typed character before the box does; a character set to null is not typed.
    std::function<void(QChar& key)> OnKeyPress;

signals:
    // Enter or Return was pressed, whatever the modifiers (edURLKeyDown).
    void EnterPressed();
    // The user asked to paste the clipboard (Shift+Insert, the context menu) or the primary selection (a
    // middle click).
    void PasteRequested(QClipboard::Mode mode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    boxtext::TFitted FitText(QStringView before, QStringView after, qsizetype cursor) const override;

private:
    bool IsReserved(const QKeyEvent* event) const;

    QList<QKeySequence> FReserved;
    bool FPasteOffered = true;
    mutable QByteArray FTextBytes;
    mutable bool FTextBytesValid = false;
};
