// The main window's clipboard: what it knows of the clipboard's text without waiting for its owner, and the
// copy and paste commands.
#include "core/text/ShiftJis.h"
#include "gui/controls/Actions.h"
#include "gui/main/Main.h"
#include "gui/main/UrlBox.h"
#include "platform/Clipboard.h"

#include <QCoreApplication>

namespace {

// Clipboard or dropped text as the box takes it: up to the first NUL.
QString UpToNul(QString text) {
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

// Pasted text as bytes for the box: up to the first NUL, and what the code page cannot hold percent-encoded.
QByteArray PastedBytes(const QString& text) {
    return sjis::fromUnicodeUrl(UpToNul(text));
}

QString ClipboardError() {
    return QCoreApplication::translate("TfrmMain", "クリップボードを開くことができません");
}

} // namespace

void TfrmMain::ClipboardChanged() {
    const quint64 question = ++FClipboardQuestion;
    FClipboard->RequestText(QClipboard::Clipboard, this, [this, question](const TClipboardText& answer) {
        if (question == FClipboardQuestion)
            ClipboardAnswered(answer);
    });
}

void TfrmMain::ClipboardAnswered(const TClipboardText& answer) {
    // An owner that did not answer may still hold text: Paste stays offered, and says so if it fails again.
    FClipboardHasText = answer.status == TClipboardText::Status::NoAnswer ||
                        (answer.status == TClipboardText::Status::Text && !UpToNul(answer.text).isEmpty());
    edURL->SetPasteOffered(FClipboardHasText);
}

void TfrmMain::ClipboardTextArrived(const TClipboardText& answer) {
    switch (answer.status) {
    case TClipboardText::Status::NoAnswer:
        ReportError(ClipboardError());
        break;
    case TClipboardText::Status::NoText:
        FClipboardHasText = false;
        edURL->SetPasteOffered(false);
        break;
    case TClipboardText::Status::Text:
        InsertAtCaret(PastedBytes(answer.text));
        break;
    }
}

void TfrmMain::actFromClipUpdate(TAction* sender) {
    sender->SetEnabled(FClipboardHasText);
}

void TfrmMain::actFromClipExecute(TAction*) {
    edURLPaste(QClipboard::Clipboard);
}

// Shift+Insert and the box's context menu paste the clipboard as Ctrl+V does. A middle click pastes the
// primary selection by the same rules; a selection that cannot be had leaves the box as it is, without a
// message, since no command was chosen.
void TfrmMain::edURLPaste(QClipboard::Mode mode) {
    FClipboard->RequestText(mode, this, [this, mode](const TClipboardText& answer) {
        if (mode == QClipboard::Clipboard)
            ClipboardTextArrived(answer);
        else if (answer.status == TClipboardText::Status::Text)
            InsertAtCaret(PastedBytes(answer.text));
    });
}

void TfrmMain::actToClipUpdate(TAction* sender) {
    sender->SetEnabled(!edURL->text().isEmpty());
}

void TfrmMain::actToClipExecute(TAction*) {
    // The whole box, whatever is selected.
    if (!FClipboard->SetText(edURL->text()))
        ReportError(ClipboardError());
}
