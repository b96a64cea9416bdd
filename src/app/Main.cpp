#include "app/Main.h"
#include "app/MainColors.h"

#include "app/About.h"
#include "app/MenuImages.h"
#include "app/Option.h"
#include "app/UrlBox.h"
#include "common/Actions.h"
#include "common/ErrorReport.h"
#include "common/VelGlobals.h"
#include "common/VelUtils.h"
#include "common/WorkArea.h"
#include "controls/MoxSpeedButton.h"
#include "platform/DesktopNotify.h"
#include "platform/SessionEnd.h"
#include "platform/ShellOpen.h"
#include "settings/QuickIni.h"
#include "templates/TemplateList.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <optional>

namespace {

const char* const kHeader = "******************************************\r\n"
                            "*     Velmarinth initialization file     *\r\n"
                            "******************************************";

void ShowErrorBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Velmarinth "), ErrorReportText(message), QMessageBox::Ok,
                    parent);
    box.exec();
}

void ReportAtSessionEnd(const QString& message) {
    ReportWithoutWaiting(QStringLiteral("Velmarinth "), ErrorReportText(message));
}

// A stored number, or nothing when the key is missing or holds no number: only then does the store answer
// with whichever default it is given.
std::optional<qint32> StoredInteger(const TQuickIni& ini, const char* section, const char* key) {
    const qint32 value = ini.ReadInteger(section, key, 0);
    if (value != ini.ReadInteger(section, key, 1))
        return std::nullopt;
    return value;
}

} // namespace

std::function<void(QWidget*, const QString&)> TfrmMain::ErrorReporter = ShowErrorBox;
std::function<void(const QString&)> TfrmMain::SessionEndReporter = ReportAtSessionEnd;

TfrmMain::TfrmMain(const QString& settingsDir, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      FSettingsDir(settingsDir) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velmarinth"));
    QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);

    CreateClientArea();
    CreateActions();
    CreatePictureButtons();
    CreateRepeatTimers();
    CreateMenu();
    setFixedSize(395, 212 + menuBar()->sizeHint().height());

    FSessionEnd = new TSessionEnd(this);
    connect(FSessionEnd, &TSessionEnd::Ending, this, &TfrmMain::EndSession);
    qApp->installEventFilter(this);

    FormCreate();
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
    edURL->setGeometry(5, 6, 386, 29);
    QFont urlFont(QString::fromUtf8("ＭＳ Ｐ明朝"));
    urlFont.setPixelSize(21);
    urlFont.setBold(true);
    edURL->setFont(urlFont);
    QPalette urlPalette = edURL->palette();
    urlPalette.setColor(QPalette::Base, Qt::black);
    urlPalette.setColor(QPalette::Text, QColor(0xD8, 0xE4, 0xF8));
    edURL->setPalette(urlPalette);
    connect(edURL, &TUrlBox::EnterPressed, this, &TfrmMain::edURLKeyDown);

    CreateKeys(client);
}

void TfrmMain::FormCreate() {
    const QPoint centred = ScreenCentre(this);
    move(centred);
    FastLeftHeld = false;
    FastRightHeld = false;
    VelGlobals::TemplateList = SplitTemplateText(DefaultTemplateText());

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
    const std::optional<qint32> left = StoredInteger(ini, "Main", "Left");
    const std::optional<qint32> top = StoredInteger(ini, "Main", "Top");
    FLeftDefaulted = !left;
    FTopDefaulted = !top;
    move(left.value_or(centred.x()), top.value_or(centred.y()));
    VelGlobals::TopMost = ini.ReadBool("Main", "TopMost", false);
    VelGlobals::TargetFolderIndex = ini.ReadInteger("MakeIS", "TargetFolderIndex", 0);
    VelGlobals::TargetFolder = ini.ReadString("MakeIS", "TargetFolder", "");
    if (ini.SectionExists("Template"))
        ini.ReadList("Template", VelGlobals::TemplateList);
    VelGlobals::DirectedBrowserPath = ini.ReadString("Option", "DirectedBrowserPath", "");
    VelGlobals::ShowToolTip = ini.ReadBool("Option", "ShowToolTip", true);
    VelGlobals::SyncCapsLock = ini.ReadBool("Option", "SyncCapsLock", false);
    if (VelGlobals::SyncCapsLock)
        SyncCapsFromKeyboard();
    else
        sbCaps->SetDown(ini.ReadBool("Main", "CapsLock", false));
    SetLetterCase(sbCaps->Down());
    VelGlobals::SaveURLBox = ini.ReadBool("Option", "SaveURLBox", true);
    if (VelGlobals::SaveURLBox) {
        const QByteArray stored = ini.ReadString("Main", "URLBox", "");
        const MarkerSplit split = ExtractCaretMarker(stored);
        edURL->SetTextBytes(split.text, split.caret.value_or(0));
    }
    VelGlobals::MinimizeAfterExe = ini.ReadBool("Option", "MinimizeAfterExe", false);
    VelGlobals::RunWithCommandLine = ini.ReadBool("Option", "RunWithCommandLine", false);
    VelGlobals::UseDirectedBrowser = ini.ReadBool("Option", "UseDirectedBrowser", false);
}

bool TfrmMain::SaveSettings() {
    // What is stored is what the window shows now, also when the window manager changed it a moment ago.
    actTopMost->Update();
    try {
        TQuickIni ini(SettingsPath());
        ini.Clear();
        ini.SetHeader(kHeader);
        const QRect frame = frameGeometry();
        ini.WriteInteger("Main", "Left", frame.x());
        ini.WriteInteger("Main", "Top", frame.y());
        if (VelGlobals::TopMost)
            ini.WriteBool("Main", "TopMost", true);
        if (VelGlobals::TargetFolderIndex != 0)
            ini.WriteInteger("MakeIS", "TargetFolderIndex", VelGlobals::TargetFolderIndex);
        if (!VelGlobals::TargetFolder.isEmpty())
            ini.WriteString("MakeIS", "TargetFolder", VelGlobals::TargetFolder);
        if (TemplateListText(VelGlobals::TemplateList) != DefaultTemplateText())
            ini.WriteList("Template", VelGlobals::TemplateList);
        if (!VelGlobals::DirectedBrowserPath.isEmpty())
            ini.WriteString("Option", "DirectedBrowserPath", VelGlobals::DirectedBrowserPath);
        if (!VelGlobals::ShowToolTip)
            ini.WriteBool("Option", "ShowToolTip", false);
        if (VelGlobals::SyncCapsLock)
            ini.WriteBool("Option", "SyncCapsLock", true);
        if (!VelGlobals::SyncCapsLock && sbCaps->Down())
            ini.WriteBool("Main", "CapsLock", true);
        if (!VelGlobals::SaveURLBox)
            ini.WriteBool("Option", "SaveURLBox", false);
        if (VelGlobals::SaveURLBox && !edURL->text().isEmpty())
            ini.WriteString("Main", "URLBox", InsertCaretMarker(edURL->TextBytes(), edURL->SelStartBytes()));
        if (VelGlobals::MinimizeAfterExe)
            ini.WriteBool("Option", "MinimizeAfterExe", true);
        if (VelGlobals::RunWithCommandLine)
            ini.WriteBool("Option", "RunWithCommandLine", true);
        if (VelGlobals::UseDirectedBrowser)
            ini.WriteBool("Option", "UseDirectedBrowser", true);
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
    if (FSessionEnded)
        return;
    FSessionEnded = true;
    SaveSettings();
    QCoreApplication::quit();
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
            if (FLeftDefaulted || FTopDefaulted) {
                const QPoint centred = ScreenCentre(this);
                const QPoint stored = windowHandle()->framePosition();
                move(FLeftDefaulted ? centred.x() : stored.x(), FTopDefaulted ? centred.y() : stored.y());
            }
            FitFormToWorkArea(this);
        }
        return result;
    }
    return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !VelGlobals::ShowToolTip) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::actTopMostUpdate(TAction* sender) {
    if (TopMostChangedElsewhere(this)) {
        // The window manager's own menu put the window on top or took it off: the setting follows what the
        // user sees, and the request is brought in line with it.
        VelGlobals::TopMost = IsTopMost(this);
        SetTopMost(this, VelGlobals::TopMost);
    } else if (VelGlobals::TopMost != TopMostAskedFor(this)) {
        SetTopMost(this, VelGlobals::TopMost);
    }
    sender->SetChecked(VelGlobals::TopMost);
}

void TfrmMain::actTopMostExecute(TAction* sender) {
    SetTopMost(this, !sender->Checked());
    VelGlobals::TopMost = !VelGlobals::TopMost;
}

void TfrmMain::miOptionClick() {
    SetTopMost(this, false);
    {
        TfrmOption dialog(this);
        if (dialog.exec() == QDialog::Accepted) {
            ApplyIdleHook();
        }
    }
    SetTopMost(this, VelGlobals::TopMost);
}

void TfrmMain::miHelpClick() {
    ShellOpenDocument(QDir(FSettingsDir).filePath(QStringLiteral("Velmarinth.txt")));
}

void TfrmMain::miAboutClick() {
    TfrmAbout dialog(this);
    dialog.exec();
}

void TfrmMain::miExitClick() {
    close();
}
