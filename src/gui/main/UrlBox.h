#pragma once

#include "gui/controls/OneLineEdit.h"

#include <QByteArray>
#include <QKeySequence>
#include <QList>
#include <functional>

// The URL box. Its text is seen by the rules as code page 932 bytes with byte offsets for the caret and
// the selection; a character that the code page cannot hold is turned into its percent-encoded UTF-8
// form as it enters, so the bytes always describe exactly what the box shows. No line break enters it.
class TUrlBox final : public TOneLineEdit {
    Q_OBJECT
public:
    explicit TUrlBox(QWidget* parent = nullptr);

    QByteArray TextBytes() const;
    qsizetype LengthBytes() const;
    // Lower end of the selection, or the caret when nothing is selected.
    qsizetype SelStartBytes() const;

    // Replaces the whole text; the caret goes to caretBytes (rounded down to a character start).
    void SetTextBytes(const QByteArray& text, qsizetype caretBytes = 0);
    void SetCaretBytes(qsizetype caretBytes);

    // Replaces the selection, or inserts at the caret, the text up to its first line break; the caret
    // ends after the inserted text, nothing selected. Not recorded for the box's undo.
    void InsertAtCaret(const QByteArray& text);

    // Keys that belong to the window's menu: the box neither handles nor overrides them.
    void SetReservedKeys(const QList<QKeySequence>& keys) { FReserved = keys; }

    // Sees each typed character before the box does; a character set to null is not typed.
    std::function<void(QChar& key)> OnKeyPress;

signals:
    // Enter or Return was pressed, whatever the modifiers (edURLKeyDown).
    void EnterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void EncodeForeignCharacters();
    bool IsReserved(const QKeyEvent* event) const;

    QList<QKeySequence> FReserved;
    mutable QByteArray FTextBytes;
    mutable bool FTextBytesValid = false;
};
