// The main window's commands: their enabling rules, and the caret, deletion and clipboard commands.
#include "app/Main.h"
#include "app/UrlBox.h"
#include "common/Actions.h"
#include "common/CaretRules.h"
#include "common/ShiftJis.h"
#include "common/UrlRule.h"
#include "common/VelGlobals.h"
#include "controls/Looks.h"
#include "controls/MoxSpeedButton.h"
#include "platform/BrowserLaunch.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>

namespace {

// Clipboard text as the box takes it: up to the first NUL.
QString ClipboardText() {
    QString text = QGuiApplication::clipboard()->text();
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

} // namespace

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
        {"actTopMost", "最前面に表示(&T)", &TfrmMain::actTopMostUpdate, &TfrmMain::actTopMostExecute,
         &TfrmMain::actTopMost},
        {"actAddTemplate", "テンプレートに追加(&U)", &TfrmMain::actAddTemplateUpdate, &TfrmMain::actAddTemplateExecute,
         &TfrmMain::actAddTemplate},
    };
    ActionList1->Add(this, rows);
    actMakeIS->SetHint(QString::fromUtf8("インターネットショートカットの作成"));

    // The clipboard is asked once per change, never at idle time.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TfrmMain::ClipboardChanged);
    ClipboardChanged();
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

// The picture buttons of the browse and make-shortcut commands.
void TfrmMain::CreatePictureButtons() {
    QWidget* client = centralWidget();
    pbBrowse = new TMoxSpeedButton(client);
    pbBrowse->setObjectName(QStringLiteral("pbBrowse"));
    pbBrowse->setGeometry(295, 183, 96, 25);
    pbBrowse->setCursor(Qt::PointingHandCursor);
    pbMakeIS = new TMoxSpeedButton(client);
    pbMakeIS->setObjectName(QStringLiteral("pbMakeIS"));
    pbMakeIS->setGeometry(6, 36, 95, 20);
    for (auto [button, action] : {std::pair{pbBrowse, actBrowse}, std::pair{pbMakeIS, actMakeIS}}) {
        button->SetColor(kWindowColor);
        button->SetColorWhenDown(kKeyDownColor);
        button->SetHotTrackColor(kBlueHotTrackColor);
        button->SetFlat(true);
        QFont font = button->font();
        font.setBold(true);
        button->setFont(font);
        button->SetFontColor(Qt::white);
        button->SetHotTrackFontColor(Qt::white);
        action->Bind(button);
    }
    pbBrowse->SetHint(QString::fromUtf8("ブラウザで開く"));
}

void TfrmMain::CreateRepeatTimers() {
    tmFastLeft = new QTimer(this);
    tmFastLeft->setObjectName(QStringLiteral("tmFastLeft"));
    tmFastRight = new QTimer(this);
    tmFastRight->setObjectName(QStringLiteral("tmFastRight"));
    for (QTimer* timer : {tmFastLeft, tmFastRight}) {
        timer->setSingleShot(true);
        timer->setInterval(500);
    }
    connect(sbFastLeft, &TMoxSpeedButton::MouseDown, this, &TfrmMain::sbFastLeftMouseDown);
    connect(sbFastRight, &TMoxSpeedButton::MouseDown, this, &TfrmMain::sbFastRightMouseDown);
    connect(sbFastLeft, &TMoxSpeedButton::MouseUp, this, &TfrmMain::sbFastLeftMouseUp);
    connect(sbFastRight, &TMoxSpeedButton::MouseUp, this, &TfrmMain::sbFastRightMouseUp);
    connect(tmFastLeft, &QTimer::timeout, this, &TfrmMain::tmFastLeftTimer);
    connect(tmFastRight, &QTimer::timeout, this, &TfrmMain::tmFastRightTimer);
    FRepeatTimer = new QTimer(this);
    FRepeatTimer->setInterval(30);
    connect(FRepeatTimer, &QTimer::timeout, this, &TfrmMain::RepeatTimerTimer);
}

void TfrmMain::ClipboardChanged() {
    FClipboardHasText = !ClipboardText().isEmpty();
}

void TfrmMain::SendKeyToBox(Qt::Key key) {
    edURL->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(edURL, &press);
    QCoreApplication::sendEvent(edURL, &release);
}

void TfrmMain::actFromClipUpdate(TAction* sender) {
    sender->SetEnabled(FClipboardHasText);
}

void TfrmMain::actFromClipExecute(TAction*) {
    InsertAtCaret(sjis::fromUnicodeUrl(ClipboardText()));
}

void TfrmMain::actToClipUpdate(TAction* sender) {
    sender->SetEnabled(!edURL->text().isEmpty());
}

void TfrmMain::actToClipExecute(TAction*) {
    QGuiApplication::clipboard()->setText(edURL->text());
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

void TfrmMain::sbFastLeftMouseDown(TMoxSpeedButton*) {
    StartFastRepeat(true);
}

void TfrmMain::sbFastRightMouseDown(TMoxSpeedButton*) {
    StartFastRepeat(false);
}

void TfrmMain::sbFastLeftMouseUp(TMoxSpeedButton*) {
    StopFastRepeat(true);
}

void TfrmMain::sbFastRightMouseUp(TMoxSpeedButton*) {
    StopFastRepeat(false);
}

void TfrmMain::tmFastLeftTimer() {
    FastRepeatStep(true);
}

void TfrmMain::tmFastRightTimer() {
    FastRepeatStep(false);
}

void TfrmMain::RepeatTimerTimer() {
    FastRepeatStep(FastLeftHeld);
}

void TfrmMain::StartFastRepeat(bool left) {
    (left ? FastLeftHeld : FastRightHeld) = true;
    (left ? tmFastLeft : tmFastRight)->start();
}

void TfrmMain::StopFastRepeat(bool left) {
    (left ? FastLeftHeld : FastRightHeld) = false;
    (left ? tmFastLeft : tmFastRight)->stop();
    if (!FastLeftHeld && !FastRightHeld)
        FRepeatTimer->stop();
}

// One step of a held fast key. The first runs when the 500 ms delay ends, the next every 30 ms while
// the key is held; the event loop runs in between, so the release, repaints and other clicks are handled
// as they come.
void TfrmMain::FastRepeatStep(bool left) {
    const bool held = left ? FastLeftHeld : FastRightHeld;
    // A key that became disabled under the pointer may never see its release.
    if (!held || !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        StopFastRepeat(left);
        return;
    }
    const QByteArray text = edURL->TextBytes();
    const qsizetype selStart = edURL->SelStartBytes();
    const qsizetype target = left ? FastLeftTarget(text, selStart) : FastRightTarget(text, selStart);
    if (target != selStart || edURL->hasSelectedText())
        edURL->SetCaretBytes(target);
    UpdateCaretCommands();
    if (!FRepeatTimer->isActive())
        FRepeatTimer->start();
}
