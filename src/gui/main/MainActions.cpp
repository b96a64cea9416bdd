// The main window's commands: the action list, the keys bound to actions, and the enabling rules and
// commands of the caret, deletion, clear and browse actions. The clipboard commands are in MainClipboard.cpp,
// drops in MainDrops.cpp, the held fast keys in MainRepeat.cpp, the picture buttons in MainPictures.cpp.
#include "core/settings/VelGlobals.h"
#include "core/text/UrlRule.h"
#include "gui/controls/Actions.h"
#include "gui/controls/MoxSpeedButton.h"
#include "gui/main/Main.h"
#include "gui/main/UrlBox.h"
#include "platform/BrowserLaunch.h"
#include "platform/Clipboard.h"

#include <QApplication>
#include <QKeyEvent>

void TfrmMain::CreateActions() {
    ActionList1 = new TActionList(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    using Row = TActionList::Row<TfrmMain>;
    static const Row rows[] = {
        {"actFromClip", "From Clipboard", &TfrmMain::actFromClipUpdate, &TfrmMain::actFromClipExecute,
         &TfrmMain::actFromClip},
        {"actBrowse", "Browse", &TfrmMain::actBrowseUpdate, &TfrmMain::actBrowseExecute, &TfrmMain::actBrowse},
        {"actToClip", "To Clipboard", &TfrmMain::actToClipUpdate, &TfrmMain::actToClipExecute, &TfrmMain::actToClip},
        {"actFastLeft", "", &TfrmMain::actFastLeftUpdate, &TfrmMain::actFastLeftExecute, &TfrmMain::actFastLeft},
        {"actFastRight", "", &TfrmMain::actFastRightUpdate, &TfrmMain::actFastRightExecute, &TfrmMain::actFastRight},
        {"actMakeIS", "Make Shortcut", &TfrmMain::actMakeISUpdate, &TfrmMain::actMakeISExecute, &TfrmMain::actMakeIS},
        {"actMoveTop", "", &TfrmMain::actMoveTopUpdate, &TfrmMain::actMoveTopExecute, &TfrmMain::actMoveTop},
        {"actMoveEnd", "", &TfrmMain::actMoveEndUpdate, &TfrmMain::actMoveEndExecute, &TfrmMain::actMoveEnd},
        {"actAC", "AC", &TfrmMain::actACUpdate, &TfrmMain::actACExecute, &TfrmMain::actAC},
        {"actDel", "Del", &TfrmMain::actDelUpdate, &TfrmMain::actDelExecute, &TfrmMain::actDel},
        {"actBS", "BS", &TfrmMain::actBSUpdate, &TfrmMain::actBSExecute, &TfrmMain::actBS},
        {"actTopMost", QT_TRANSLATE_NOOP("TfrmMain", "最前面に表示(&T)"), &TfrmMain::actTopMostUpdate,
         &TfrmMain::actTopMostExecute, &TfrmMain::actTopMost},
        {"actAddTemplate", QT_TRANSLATE_NOOP("TfrmMain", "テンプレートに追加(&U)"), &TfrmMain::actAddTemplateUpdate,
         &TfrmMain::actAddTemplateExecute, &TfrmMain::actAddTemplate},
    };
    ActionList1->Add(this, rows);
    actMakeIS->SetHint(tr("インターネットショートカットの作成"));

    // The clipboard is asked once per change, never at idle time, and the answer comes back later: a
    // program that owns the clipboard and never answers cannot hold up the window.
    FClipboard = Clipboard ? Clipboard : &DesktopClipboard();
    connect(FClipboard, &IClipboard::Changed, this, &TfrmMain::ClipboardChanged);
    ClipboardChanged();
    connect(edURL, &TUrlBox::PasteRequested, this, &TfrmMain::edURLPaste);
    BindKeys();
}

void TfrmMain::BindKeys() {
    const std::pair<const char*, TAction*> bindings[] = {
        {"sbCopy", actToClip},
        {"sbPaste", actFromClip},
        {"sbMoveTop", actMoveTop},
        {"sbFastLeft", actFastLeft},
        {"sbFastRight", actFastRight},
        {"sbMoveLast", actMoveEnd},
        {"sbAllClear", actAC},
        {"sbDel", actDel},
        {"sbBs", actBS},
    };
    for (const auto& [name, action] : bindings)
        action->Bind(Key(QString::fromLatin1(name)));
}

void TfrmMain::SendKeyToBox(Qt::Key key) {
    edURL->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(edURL, &press);
    QCoreApplication::sendEvent(edURL, &release);
}

void TfrmMain::actFastLeftUpdate(TAction* sender) {
    sender->SetEnabled(edURL->SelStartBytes() > 0);
}

void TfrmMain::actFastLeftExecute(TAction*) {
    SendKeyToBox(Qt::Key_Left);
}

void TfrmMain::actFastRightUpdate(TAction* sender) {
    sender->SetEnabled(edURL->SelStartBytes() < edURL->LengthBytes());
}

void TfrmMain::actFastRightExecute(TAction*) {
    SendKeyToBox(Qt::Key_Right);
}

void TfrmMain::actMoveTopUpdate(TAction* sender) {
    sender->SetEnabled(edURL->SelStartBytes() > 0);
}

void TfrmMain::actMoveTopExecute(TAction*) {
    edURL->SetCaretBytes(0);
}

void TfrmMain::actMoveEndUpdate(TAction* sender) {
    sender->SetEnabled(edURL->SelStartBytes() < edURL->LengthBytes());
}

void TfrmMain::actMoveEndExecute(TAction*) {
    edURL->SetCaretBytes(edURL->LengthBytes());
}

void TfrmMain::actACUpdate(TAction* sender) {
    sender->SetEnabled(!edURL->text().isEmpty());
}

void TfrmMain::actACExecute(TAction*) {
    edURL->clear();
}

void TfrmMain::actDelUpdate(TAction* sender) {
    sender->SetEnabled(edURL->SelStartBytes() < edURL->LengthBytes());
}

void TfrmMain::actDelExecute(TAction*) {
    SendKeyToBox(Qt::Key_Delete);
}

void TfrmMain::actBSUpdate(TAction* sender) {
    sender->SetEnabled(edURL->SelStartBytes() > 0);
}

void TfrmMain::actBSExecute(TAction*) {
    SendKeyToBox(Qt::Key_Backspace);
}

void TfrmMain::actBrowseUpdate(TAction* sender) {
    sender->SetEnabled(IsBrowsableUrl(edURL->TextBytes()));
}

void TfrmMain::actMakeISUpdate(TAction* sender) {
    sender->SetEnabled(IsBrowsableUrl(edURL->TextBytes()));
}

void TfrmMain::actBrowseExecute(TAction*) {
    BrowseOnDesktop(edURL->TextBytes());
    if (VelGlobals::MinimizeAfterExe)
        showMinimized();
}

void TfrmMain::UpdateCaretCommands() {
    for (TAction* action : {actFastLeft, actFastRight, actMoveTop, actMoveEnd, actDel, actBS})
        action->Update();
}
