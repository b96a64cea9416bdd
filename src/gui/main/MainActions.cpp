// The main window's commands: their enabling rules, and the caret, deletion and clipboard commands.
#include "core/settings/VelGlobals.h"
#include "core/shortcuts/InternetShortcut.h"
#include "core/text/CaretRules.h"
#include "core/text/ShiftJis.h"
#include "core/text/UrlRule.h"
#include "gui/controls/Actions.h"
#include "gui/controls/MoxSpeedButton.h"
#include "gui/controls/NelPictureButton.h"
#include "gui/controls/ProgramPictures.h"
#include "gui/controls/ZelkTextDropTarget.h"
#include "gui/main/Main.h"
#include "gui/main/UrlBox.h"
#include "platform/BrowserLaunch.h"
#include "platform/Clipboard.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {

// Clipboard or dropped text as the box takes it: up to the first NUL.
QString UpToNul(QString text) {
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

// The local files and folders a drag offers, in its order.
QStringList DraggedPaths(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

QString ClipboardError() {
    return QString::fromUtf8("クリップボードを開くことができません");
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

    // The clipboard is asked once per change, never at idle time, and the answer comes back later: a
    // program that owns the clipboard and never answers cannot hold up the window.
    FClipboard = Clipboard ? Clipboard : &DesktopClipboard();
    connect(FClipboard, &IClipboard::Changed, this, &TfrmMain::ClipboardChanged);
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

namespace {

// A picture button at its place, with its four pictures (the one under the mouse also shows at the release).
TNelPictureButton* NewPictureButton(QWidget* parent, const char* name, const char* pictures, QPoint place) {
    auto* button = new TNelPictureButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->move(place);
    const auto picture = [pictures](const char* state) {
        return ProgramPicture((QByteArray(pictures) + state).constData());
    };
    button->SetPictureNormal(picture("Normal"));
    button->SetPictureOver(picture("Over"));
    button->SetPictureUp(picture("Over"));
    button->SetPictureDown(picture("Down"));
    button->SetPictureDisable(picture("Disable"));
    return button;
}

} // namespace

// The picture buttons of the browse and make-shortcut commands.
void TfrmMain::CreatePictureButtons() {
    QWidget* client = centralWidget();
    pbBrowse = NewPictureButton(client, "pbBrowse", "Browse", {295, 183});
    pbBrowse->setCursor(Qt::PointingHandCursor);
    pbBrowse->SetHint(QString::fromUtf8("ブラウザで開く"));
    pbMakeIS = NewPictureButton(client, "pbMakeIS", "MakeIS", {6, 36});
    actBrowse->Bind(pbBrowse);
    actMakeIS->Bind(pbMakeIS);
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
    const quint64 question = ++FClipboardQuestion;
    FClipboard->RequestText(this, [this, question](const TClipboardText& answer) {
        if (question == FClipboardQuestion)
            ClipboardAnswered(answer);
    });
}

void TfrmMain::ClipboardAnswered(const TClipboardText& answer) {
    // An owner that did not answer may still hold text: Paste stays offered, and says so if it fails again.
    FClipboardHasText = answer.status == TClipboardText::Status::NoAnswer ||
                        (answer.status == TClipboardText::Status::Text && !UpToNul(answer.text).isEmpty());
}

void TfrmMain::ClipboardTextArrived(const TClipboardText& answer) {
    switch (answer.status) {
    case TClipboardText::Status::NoAnswer:
        ReportError(ClipboardError());
        break;
    case TClipboardText::Status::NoText:
        FClipboardHasText = false;
        break;
    case TClipboardText::Status::Text:
        InsertAtCaret(sjis::fromUnicodeUrl(UpToNul(answer.text)));
        break;
    }
}

void TfrmMain::CreateDropTargets() {
    ZelkTextDropTarget1 = new TZelkTextDropTarget(this);
    ZelkTextDropTarget1->setObjectName(QStringLiteral("ZelkTextDropTarget1"));
    ZelkTextDropTarget1->SetWindow(edURL);
    ZelkTextDropTarget1->OnTextDrop = [this](const QString& text) { ZelkTextDropTarget1TextDrop(text); };
}

void TfrmMain::ZelkTextDropTarget1TextDrop(const QString& text) {
    SetWholeUrl(text);
}

void TfrmMain::SetWholeUrl(const QString& text) {
    // The box's own rules for text from outside: one line, and what the code page cannot hold encoded.
    edURL->SetTextBytes(sjis::fromUnicodeUrl(TUrlBox::FirstLine(text)), 0);
}

// Dropped files reach the box before its text drop target. A drag whose URI list holds local files is a
// file drop even when it also offers text: a file manager adds the paths as text, and the user means the
// file, not its name. Any other drag is left to the text drop target, so a link dragged from a browser (an
// http URI list along with its text) drops its text.
bool TfrmMain::edURLDropFiles(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = DraggedPaths(drop->mimeData());
    if (paths.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // Only the first shortcut counts; other files and folders (a folder's name may end in .url) are
        // passed over, and no shortcut changes nothing.
        QStringList files;
        for (const QString& path : paths)
            files << (QFileInfo(path).isDir() ? QString() : path);
        const int first = FirstInternetShortcut(files);
        if (first >= 0)
            SetWholeUrl(sjis::toUnicode(ReadInternetShortcut(files.at(first))));
    }
    return true;
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
    FClipboard->RequestText(this, [this](const TClipboardText& answer) { ClipboardTextArrived(answer); });
}

void TfrmMain::actToClipUpdate(TAction* sender) {
    sender->SetEnabled(!edURL->text().isEmpty());
}

void TfrmMain::actToClipExecute(TAction*) {
    // The whole box, whatever is selected.
    if (!FClipboard->SetText(edURL->text()))
        ReportError(ClipboardError());
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
