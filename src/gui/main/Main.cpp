// The main window's life: building it, reading and writing its settings, closing, the session's end and
// the error report. The keyboard is built in MainKeyboard.cpp, the commands in MainActions.cpp and the menu in
// MainMenu.cpp.
#include "gui/main/Main.h"

#include "core/messages/ErrorReport.h"
#include "core/settings/QuickIni.h"
#include "core/settings/VelGlobals.h"
#include "core/settings/VelSettings.h"
#include "core/templates/TemplateList.h"
#include "core/window/WorkArea.h"
#include "gui/controls/Actions.h"
#include "gui/controls/HintWindowXP.h"
#include "gui/controls/Looks.h"
#include "gui/controls/MoxSpeedButton.h"
#include "gui/controls/VelUtils.h"
#include "gui/controls/ZelkOnlyOne.h"
#include "gui/main/MenuImages.h"
#include "gui/main/UrlBox.h"
#include "platform/CapsLock.h"
#include "platform/DesktopNotify.h"
#include "platform/SessionEnd.h"
#include "platform/ShellOpen.h"
#include "platform/WindowPosition.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

namespace {

void ShowErrorBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Velmarinth "), ErrorReportText(message), QMessageBox::Ok,
                    parent);
    // As a desktop message box does, Ctrl+C gives its text to the clipboard (Qt's does so only on Windows): a
    // long file name can be pasted rather than copied out by hand.
    auto* copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box, [&box] { QGuiApplication::clipboard()->setText(box.text()); });
    box.exec();
}

void ReportAtSessionEnd(const QString& message) {
    ReportWithoutWaiting(QStringLiteral("Velmarinth "), ErrorReportText(message));
}

} // namespace

std::function<void(QWidget*, const QString&)> TfrmMain::ErrorReporter = ShowErrorBox;
std::function<void(const QString&)> TfrmMain::SessionEndReporter = ReportAtSessionEnd;
ICapsLock* TfrmMain::CapsLock = &DesktopCapsLock();
IShellOpen* TfrmMain::ShellOpen = &DesktopShellOpen();
IClipboard* TfrmMain::Clipboard = nullptr;
std::function<bool()> TfrmMain::WindowPositionKnown = [] {
    return PlatformTellsWindowPosition(QGuiApplication::platformName());
};

TfrmMain::TfrmMain(const QString& settingsDir, const QString& manualPath, QWidget* parent, const QString& instanceTitle)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      FSettingsDir(settingsDir),
      FManualPath(manualPath.isEmpty() ? QDir(settingsDir).filePath(QStringLiteral("Velmarinth.txt")) : manualPath) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velmarinth"));
    setFont(InterfaceFont());

    CreateClientArea();
    CreateDropTargets();
    CreateActions();
    CreatePictureButtons();
    CreateRepeatTimers();
    CreateMenu();
    setFixedSize(395, 212 + menuBar()->sizeHint().height());

    FSessionEnd = new TSessionEnd(this);
    connect(FSessionEnd, &TSessionEnd::Ending, this, &TfrmMain::EndSession);
    qApp->installEventFilter(this);
    if (THintManager* hints = THintManager::Instance()) {
        // The main window's hints follow ShowToolTip; other windows keep theirs.
        hints->HintAllowed = [window = QPointer<QWidget>(this)](const QWidget* widget) {
            return !window || widget->window() != window || VelGlobals::ShowToolTip;
        };
    }

    if (!instanceTitle.isEmpty()) {
        ZelkOnlyOne1 = new TZelkOnlyOne(this);
        ZelkOnlyOne1->SwitchToPrevious = true;
        ZelkOnlyOne1->Loaded(instanceTitle);
    }
    FormCreate();
    FCreating = false;
    // The session ended while start-up waited for the user (an error box): end now, with what start-up read.
    if (FEndRequested)
        FinishSession();
}

TfrmMain::~TfrmMain() {
    FormDestroy();
}

void TfrmMain::FormDestroy() {
    qApp->removeEventFilter(this);
}

QString TfrmMain::SettingsPath() const {
    return QDir(FSettingsDir).filePath(QStringLiteral("Velmarinth.ini"));
}

void TfrmMain::CreateClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(395, 212);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, kWindowColor);
    client->setPalette(palette);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    edURL = new TUrlBox(client);
    edURL->setObjectName(QStringLiteral("edURL"));
    edURL->setAccessibleName(tr("URL入力ボックス"));
    edURL->setGeometry(5, 6, 386, 29);
    edURL->setFont(UrlBoxFont());
    QPalette urlPalette = edURL->palette();
    urlPalette.setColor(QPalette::Base, Qt::black);
    urlPalette.setColor(QPalette::Text, kKeyFaceColor);
    edURL->setPalette(urlPalette);
    connect(edURL, &TUrlBox::EnterPressed, this, &TfrmMain::edURLKeyDown);
    edURL->OnKeyPress = [this](QChar& key) { edURLKeyPress(key); };

    CreateKeys(client);
}

bool TfrmMain::ShowMainForm() const {
    return !ZelkOnlyOne1 || !ZelkOnlyOne1->AnotherRuns();
}

void TfrmMain::FormCreate() {
    const QPoint centred = ScreenCentre(this);
    move(centred);
    FastLeftHeld = false;
    FastRightHeld = false;

    if (!ShowMainForm()) {
        // A second instance only reads: the running one owns the file, and a rewrite here could race with
        // its own write and throw away its changes. It shows nothing, not even an error.
        TQuickIni ini{QString()};
        ini.SetAutoUpdate(false);
        ReadSettings(ini, centred);
        return;
    }
    try {
        TQuickIni ini(SettingsPath());
        ReadSettings(ini, centred);
        try {
            ini.Release();
        } catch (const EFileError& e) {
            ReportError(e.Message());
        }
    } catch (const EFileError& e) {
        // The file is there but cannot be read: run with the defaults and leave it untouched.
        ReportError(e.Message());
        TQuickIni defaults{QString()};
        defaults.SetAutoUpdate(false);
        ReadSettings(defaults, centred);
    }

    SetTopMost(this, VelGlobals::TopMost);
    BuildTemplateMenu();
    ApplyIdleHook();
    FitFormToWorkArea(this);
}

void TfrmMain::ReadSettings(TQuickIni& ini, QPoint centred) {
    TVelWindowState stored;
    ReadVelSettings(ini, stored);
    FStoredLeft = stored.Left;
    FStoredTop = stored.Top;
    move(stored.Left.value_or(centred.x()), stored.Top.value_or(centred.y()));
    if (VelGlobals::SyncCapsLock)
        SyncCapsFromKeyboard();
    else
        sbCaps->SetDown(stored.CapsLock);
    SetLetterCase(sbCaps->Down());
    if (VelGlobals::SaveURLBox) {
        const MarkerSplit split = ExtractCaretMarker(stored.URLBox);
        edURL->SetTextBytes(split.text, split.caret.value_or(0));
    }
}

// What the file keeps of the window: its outer position, the Caps key and the URL box with its caret.
TVelWindowState TfrmMain::ShownWindowState() const {
    TVelWindowState shown;
    if (WindowPositionKnown()) {
        const QRect frame = frameGeometry();
        shown.Left = frame.x();
        shown.Top = frame.y();
    } else {
        shown.Left = FStoredLeft;
        shown.Top = FStoredTop;
    }
    shown.CapsLock = sbCaps->Down();
    if (!edURL->text().isEmpty())
        shown.URLBox = InsertCaretMarker(edURL->TextBytes(), edURL->SelStartBytes());
    return shown;
}

bool TfrmMain::SaveSettings() {
    if (!ShowMainForm())
        return false;
    // What is stored is what the window shows now, also when the window manager changed it a moment ago.
    actTopMost->Update();
    try {
        TQuickIni ini(SettingsPath());
        WriteVelSettings(ini, ShownWindowState());
        ini.Release();
        return true;
    } catch (const EFileError& e) {
        // At the end of the session nobody may be kept waiting by a message box.
        if (FSessionEnded) {
            if (SessionEndReporter)
                SessionEndReporter(e.Message());
        } else {
            ReportError(e.Message());
        }
        return false;
    }
}

bool TfrmMain::FormCloseQuery() {
    // A failed write has been reported; the window still closes, so the user is never held here.
    SaveSettings();
    return true;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!FSessionEnded)
        FormCloseQuery();
    event->accept();
}

void TfrmMain::EndSession() {
    if (FEndRequested)
        return;
    FEndRequested = true;
    // A box that waits for the user would hold the end up; before the event loop runs, nothing else closes it.
    CloseModalWindows();
    if (!FCreating)
        FinishSession();
}

void TfrmMain::FinishSession() {
    FSessionEnded = true;
    SaveSettings();
    // Does nothing before the event loop runs: the program's entry looks at EndRequested for that case.
    QCoreApplication::quit();
}

void TfrmMain::CloseModalWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || !widget->isModal())
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(widget))
            dialog->reject();
        else
            widget->close();
    }
}

void TfrmMain::ReportError(const QString& message) {
    if (ErrorReporter)
        ErrorReporter(this, message);
}

bool TfrmMain::event(QEvent* event) {
    // The window manager's frame is known only once the window is mapped: place the window again with
    // its real outer size, exactly once.
    if (!FPlacementSettled &&
        (event->type() == QEvent::Move || event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)) {
        const bool result = QMainWindow::event(event);
        if (isVisible() && windowHandle() && !windowHandle()->frameMargins().isNull()) {
            FPlacementSettled = true;
            if (!FStoredLeft || !FStoredTop) {
                const QPoint centred = ScreenCentre(this);
                const QPoint stored = windowHandle()->framePosition();
                move(FStoredLeft ? stored.x() : centred.x(), FStoredTop ? stored.y() : centred.y());
            }
            FitFormToWorkArea(this);
        }
        return result;
    }
    return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edURL && edURLDropFiles(event))
        return true;
    if (event->type() == QEvent::ToolTip && !VelGlobals::ShowToolTip) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
