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
    auto add = [this](const char* name, const QString& caption, const std::function<void(TAction*)>& update,
                      const std::function<void(TAction*)>& execute) {
        TAction* action = ActionList1->Add(QString::fromLatin1(name));
        action->SetCaption(caption);
        action->OnUpdate = update;
        action->OnExecute = execute;
        return action;
    };
    auto selStart = [this] { return edURL->SelStartBytes(); };
    auto length = [this] { return edURL->LengthBytes(); };
    auto sendKey = [this](Qt::Key key) {
        edURL->setFocus();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(edURL, &press);
        QCoreApplication::sendEvent(edURL, &release);
    };

    actFromClip = add(
        "actFromClip", QStringLiteral("From Clipboard"), [this](TAction* a) { a->SetEnabled(FClipboardHasText); },
        [this](TAction*) { InsertAtCaret(sjis::fromUnicodeUrl(ClipboardText())); });
    actBrowse = add(
        "actBrowse", QStringLiteral("Browse"), [this](TAction* a) { actBrowseUpdate(a); },
        [this](TAction* a) { actBrowseExecute(a); });
    actToClip = add(
        "actToClip", QStringLiteral("To Clipboard"), [this](TAction* a) { a->SetEnabled(!edURL->text().isEmpty()); },
        [this](TAction*) { QGuiApplication::clipboard()->setText(edURL->text()); });
    actFastLeft = add(
        "actFastLeft", QString(), [=](TAction* a) { a->SetEnabled(selStart() > 0); },
        [=](TAction*) { sendKey(Qt::Key_Left); });
    actFastRight = add(
        "actFastRight", QString(), [=](TAction* a) { a->SetEnabled(selStart() < length()); },
        [=](TAction*) { sendKey(Qt::Key_Right); });
    actMakeIS = add("actMakeIS", QStringLiteral("Make Shortcut"), [this](TAction* a) { actMakeISUpdate(a); }, {});
    actMakeIS->SetHint(QString::fromUtf8("インターネットショートカットの作成"));
    actMoveTop = add(
        "actMoveTop", QString(), [=](TAction* a) { a->SetEnabled(selStart() > 0); },
        [this](TAction*) { edURL->SetCaretBytes(0); });
    actMoveEnd = add(
        "actMoveEnd", QString(), [=](TAction* a) { a->SetEnabled(selStart() < length()); },
        [this, length](TAction*) { edURL->SetCaretBytes(length()); });
    actAC = add(
        "actAC", QStringLiteral("AC"), [this](TAction* a) { a->SetEnabled(!edURL->text().isEmpty()); },
        [this](TAction*) { edURL->clear(); });
    actDel = add(
        "actDel", QStringLiteral("Del"), [=](TAction* a) { a->SetEnabled(selStart() < length()); },
        [=](TAction*) { sendKey(Qt::Key_Delete); });
    actBS = add(
        "actBS", QStringLiteral("BS"), [=](TAction* a) { a->SetEnabled(selStart() > 0); },
        [=](TAction*) { sendKey(Qt::Key_Backspace); });
    actTopMost = add(
        "actTopMost", QString::fromUtf8("最前面に表示(&T)"), [this](TAction* a) { actTopMostUpdate(a); },
        [this](TAction* a) { actTopMostExecute(a); });
    actAddTemplate = add(
        "actAddTemplate", QString::fromUtf8("テンプレートに追加(&U)"), [this](TAction* a) { actAddTemplateUpdate(a); },
        [this](TAction* a) { actAddTemplateExecute(a); });

    // The clipboard is asked once per change, never at idle time.
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto clipboardChanged = [this] { FClipboardHasText = !ClipboardText().isEmpty(); };
    connect(clipboard, &QClipboard::dataChanged, this, clipboardChanged);
    clipboardChanged();

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
        Key(QString::fromLatin1(name))->SetAction(action);

    // The picture buttons of the browse and make-shortcut commands.
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
        button->SetColorWhenDown(QColor(0x02, 0x9F, 0xFD));
        button->SetHotTrackColor(QColor(0x6F, 0xBE, 0xFF));
        button->SetFlat(true);
        QFont font = button->font();
        font.setBold(true);
        button->setFont(font);
        button->SetFontColor(Qt::white);
        button->SetHotTrackFontColor(Qt::white);
        button->SetAction(action);
    }
    pbBrowse->SetHint(QString::fromUtf8("ブラウザで開く"));

    connect(sbFastLeft, &TMoxSpeedButton::MouseDown, this, [this] { StartFastRepeat(true); });
    connect(sbFastRight, &TMoxSpeedButton::MouseDown, this, [this] { StartFastRepeat(false); });
    connect(sbFastLeft, &TMoxSpeedButton::MouseUp, this, [this] { StopFastRepeat(true); });
    connect(sbFastRight, &TMoxSpeedButton::MouseUp, this, [this] { StopFastRepeat(false); });
    connect(tmFastLeft, &QTimer::timeout, this, [this] { FastRepeatStep(true); });
    connect(tmFastRight, &QTimer::timeout, this, [this] { FastRepeatStep(false); });
    FRepeatTimer = new QTimer(this);
    FRepeatTimer->setInterval(30);
    connect(FRepeatTimer, &QTimer::timeout, this, [this] { FastRepeatStep(FastLeftHeld); });
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
