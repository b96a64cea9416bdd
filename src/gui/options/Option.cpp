#include "gui/options/Option.h"

#include "core/browser/BrowserProgram.h"

#include "core/settings/VelGlobals.h"
#include "core/text/ShiftJis.h"
#include "gui/controls/Actions.h"
#include "gui/controls/Fonts.h"
#include "gui/controls/Looks.h"
#include "gui/controls/OneLineEdit.h"
#include "gui/controls/VelDialog.h"
#include "platform/ShellOpen.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <type_traits>

namespace {

template <class T> T* NamedControl(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
    auto* control = new T(QCoreApplication::translate("TfrmOption", caption), parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    if constexpr (std::is_base_of_v<QCheckBox, T> || std::is_base_of_v<QRadioButton, T> || std::is_base_of_v<QLabel, T>)
        WidenToText(control);
    return control;
}

// Runs handler whenever the radio button becomes chosen, by the user or by the dialog's own code.
void OnChosen(QRadioButton* button, QObject* context, std::function<void()> handler) {
    QObject::connect(button, &QRadioButton::toggled, context, [handler = std::move(handler)](bool on) {
        if (on)
            handler();
    });
}

} // namespace

TfrmOption::TfrmOption(QWidget* owner, IShellOpen& shellOpen, const QString& manualPath)
    : TVelDialog(owner, tr("設定"), QSize(420, 307)), FShellOpen(shellOpen), FManualPath(manualPath) {
    setObjectName(QStringLiteral("frmOption"));
    CreateControls();
    CreateActions();
    SetTabOrder();
    FormCreate();
}

TfrmOption::~TfrmOption() = default;

void TfrmOption::CreateControls() {
    pnlOption = SetUpPanel("pnlOption", {409, 265});

    cbTopMost = NamedControl<QCheckBox>(pnlOption, "cbTopMost",
                                        QT_TRANSLATE_NOOP("TfrmOption", "常に最前面に表示する(&T)"), {17, 14, 155, 17});
    cbShowToolTip = NamedControl<QCheckBox>(pnlOption, "cbShowToolTip",
                                            QT_TRANSLATE_NOOP("TfrmOption", "ツールチップでヒントを表示する(&L)"),
                                            {17, 35, 191, 17});
    cbSyncCapsLock = NamedControl<QCheckBox>(pnlOption, "cbSyncCapsLock",
                                             QT_TRANSLATE_NOOP("TfrmOption", "CapsLockをキーボードと連動させる(&C)"),
                                             {17, 56, 220, 17});
    cbSaveURLBox = NamedControl<QCheckBox>(
        pnlOption, "cbSaveURLBox", QT_TRANSLATE_NOOP("TfrmOption", "終了時にURL入力ボックスの内容を保存する(&S)"),
        {17, 77, 265, 17});
    cbMinimizeAfterExe =
        NamedControl<QCheckBox>(pnlOption, "cbMinimizeAfterExe",
                                QT_TRANSLATE_NOOP("TfrmOption", "ブラウザを起動後に最小化する(&M)"), {17, 98, 202, 17});
    CreateBrowserGroup();
    CreateButtons();
}

void TfrmOption::CreateBrowserGroup() {
    gbBrowser = NamedControl<QGroupBox>(pnlOption, "gbBrowser", QT_TRANSLATE_NOOP("TfrmOption", "ブラウザ(&B)"),
                                        {13, 125, 383, 126});
    rbUseDefaultBrowser =
        NamedControl<QRadioButton>(gbBrowser, "rbUseDefaultBrowser",
                                   QT_TRANSLATE_NOOP("TfrmOption", "標準のブラウザを使用する(&D)"), {11, 19, 180, 17});
    // Indented under the default browser: the URL goes on the command line of the default browser only.
    cbRunWithCommandLine = NamedControl<QCheckBox>(gbBrowser, "cbRunWithCommandLine",
                                                   QT_TRANSLATE_NOOP("TfrmOption", "URLをコマンドラインに指定する(&U)"),
                                                   {31, 40, 201, 17});
    rbUseDirectedBrowser =
        NamedControl<QRadioButton>(gbBrowser, "rbUseDirectedBrowser",
                                   QT_TRANSLATE_NOOP("TfrmOption", "指定のブラウザを使用する(&F)"), {11, 67, 172, 17});
    lblPath = NamedControl<QLabel>(gbBrowser, "lblPath", QT_TRANSLATE_NOOP("TfrmOption", "パス(&P)"), {28, 93, 38, 12});

    edBrowserPath = new TOneLineEdit(gbBrowser);
    edBrowserPath->setObjectName(QStringLiteral("edBrowserPath"));
    edBrowserPath->setGeometry(71, 89, 273, 20);
    lblPath->setBuddy(edBrowserPath);

    btnSelectBrowser = NamedControl<QPushButton>(gbBrowser, "btnSelectBrowser", "...", {350, 89, 20, 21});
    btnSelectBrowser->setFont(FaceFont(kPGothicFace, 13, true));

    OnChosen(rbUseDefaultBrowser, this, [this] { rbUseDefaultBrowserClick(); });
    OnChosen(rbUseDirectedBrowser, this, [this] { rbUseDirectedBrowserClick(); });
    connect(edBrowserPath, &QLineEdit::textChanged, this, &TfrmOption::CheckBrowserPath);
    connect(btnSelectBrowser, &QPushButton::clicked, this, &TfrmOption::btnSelectBrowserClick);
}

void TfrmOption::CreateButtons() {
    btnOK = new QPushButton(this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(135, 279, 88, 23);
    btnOK->setDefault(true);
    btnCansel =
        NamedControl<QPushButton>(this, "btnCansel", QT_TRANSLATE_NOOP("TfrmOption", "キャンセル"), {231, 279, 88, 23});
    btnHelp =
        NamedControl<QPushButton>(this, "btnHelp", QT_TRANSLATE_NOOP("TfrmOption", "ヘルプ(&H)"), {327, 280, 88, 21});
    connect(btnCansel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this, &TfrmOption::btnHelpClick);
}

void TfrmOption::CreateActions() {
    ActionList1 = new TActionList(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    using Row = TActionList::Row<TfrmOption>;
    using T = TfrmOption;
    static const Row rows[] = {
        {"actOk", "OK", &T::actOkUpdate, &T::actOkExecute, &T::actOk},
    };
    ActionList1->Add(this, rows);
    actOk->Bind(btnOK);
}

void TfrmOption::SetTabOrder() {
    QWidget* const order[] = {cbTopMost,
                              cbShowToolTip,
                              cbSyncCapsLock,
                              cbSaveURLBox,
                              cbMinimizeAfterExe,
                              rbUseDefaultBrowser,
                              rbUseDirectedBrowser,
                              cbRunWithCommandLine,
                              edBrowserPath,
                              btnSelectBrowser,
                              btnOK,
                              btnCansel,
                              btnHelp};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TfrmOption::FormCreate() {
    cbTopMost->setChecked(VelGlobals::TopMost);
    cbShowToolTip->setChecked(VelGlobals::ShowToolTip);
    cbSyncCapsLock->setChecked(VelGlobals::SyncCapsLock);
    cbSaveURLBox->setChecked(VelGlobals::SaveURLBox);
    cbMinimizeAfterExe->setChecked(VelGlobals::MinimizeAfterExe);

    const bool directed = VelGlobals::UseDirectedBrowser;
    (directed ? rbUseDirectedBrowser : rbUseDefaultBrowser)->setChecked(true);
    cbRunWithCommandLine->setEnabled(!directed);
    for (QWidget* control : {static_cast<QWidget*>(lblPath), static_cast<QWidget*>(edBrowserPath),
                             static_cast<QWidget*>(btnSelectBrowser)})
        control->setEnabled(directed);

    FStoredPath = VelGlobals::DirectedBrowserPath;
    FStoredPathText = sjis::toUnicode(FStoredPath);
    edBrowserPath->setText(FStoredPathText);
    edBrowserPath->setCursorPosition(0);
    cbRunWithCommandLine->setChecked(VelGlobals::RunWithCommandLine);

    CheckBrowserPath();
    // A chosen program that is gone: offer the default browser, and keep the path in view to mend it.
    if (rbUseDirectedBrowser->isChecked() && !FPathIsProgram)
        rbUseDefaultBrowser->setChecked(true);
}

bool TfrmOption::event(QEvent* event) {
    // The program may have been put in place or removed while the user was in another window.
    if (event->type() == QEvent::WindowActivate)
        CheckBrowserPath();
    return TVelDialog::event(event);
}

// Disabling keeps what a control holds: the path and the check mark are written on OK all the same.
void TfrmOption::rbUseDefaultBrowserClick() {
    lblPath->setEnabled(false);
    edBrowserPath->setEnabled(false);
    btnSelectBrowser->setEnabled(false);
    cbRunWithCommandLine->setEnabled(true);
}

void TfrmOption::rbUseDirectedBrowserClick() {
    lblPath->setEnabled(true);
    edBrowserPath->setEnabled(true);
    btnSelectBrowser->setEnabled(true);
    cbRunWithCommandLine->setEnabled(false);
}

void TfrmOption::btnSelectBrowserClick() {
    if (!OpenDialog) {
        OpenDialog = new QFileDialog(this);
        OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
        OpenDialog->setFileMode(QFileDialog::ExistingFile);
        // Programs here carry no extension: the one filter shows the files this user may execute.
        OpenDialog->setOption(QFileDialog::DontUseNativeDialog);
        OpenDialog->setNameFilter(QStringLiteral("Web Browser (*)"));
        OpenDialog->setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
    }
    const QFileInfo current(edBrowserPath->text());
    if (!edBrowserPath->text().isEmpty() && current.isFile())
        OpenDialog->setDirectory(current.absolutePath());
    if (OpenDialog->exec() != QDialog::Accepted || OpenDialog->selectedFiles().isEmpty())
        return;
    const QString chosen = QDir::cleanPath(OpenDialog->selectedFiles().constFirst());
    // A path the settings file cannot hold is refused here rather than stored corrupted.
    if (sjis::isEncodable(chosen))
        edBrowserPath->setText(chosen);
}

void TfrmOption::btnHelpClick() {
    FShellOpen.OpenDocument(FManualPath);
}

std::optional<QByteArray> TfrmOption::BrowserPathBytes() const {
    const QString text = edBrowserPath->text();
    if (text == FStoredPathText)
        return FStoredPath;
    return sjis::fromUnicode(text, sjis::Unencodable::Refuse);
}

void TfrmOption::CheckBrowserPath() {
    // Watched first and looked at after, until what is watched no longer changes: a folder or file made while the
    // watch was being moved onto it is seen either way.
    for (int rounds = 0; rounds < 16 && WatchBrowserPath(); ++rounds) {
    }
    FPathIsProgram = BrowserPathBytes().has_value() && IsBrowserProgram(edBrowserPath->text());
}

// A browser installed, made executable or removed while the dialog is open is seen at once: the file and
// the nearest folder above it that exists are watched, and any change there looks at the path again. The
// update rule itself never waits for the disk.
bool TfrmOption::WatchBrowserPath() {
    if (!FPathWatcher) {
        FPathWatcher = new QFileSystemWatcher(this);
        connect(FPathWatcher, &QFileSystemWatcher::fileChanged, this, &TfrmOption::CheckBrowserPath);
        connect(FPathWatcher, &QFileSystemWatcher::directoryChanged, this, &TfrmOption::CheckBrowserPath);
    }
    QStringList wanted;
    const QString text = edBrowserPath->text();
    if (!text.isEmpty()) {
        const QFileInfo path(text);
        if (path.exists())
            wanted << path.absoluteFilePath();
        QString folder = path.absolutePath();
        for (QString up = QFileInfo(folder).path(); !QFileInfo(folder).isDir() && up != folder;
             up = QFileInfo(folder).path())
            folder = up;
        if (QFileInfo(folder).isDir())
            wanted << folder;
    }
    QStringList watched = FPathWatcher->files() + FPathWatcher->directories();
    watched.sort();
    wanted.sort();
    if (watched == wanted)
        return false;
    if (!watched.isEmpty())
        FPathWatcher->removePaths(watched);
    if (!wanted.isEmpty())
        FPathWatcher->addPaths(wanted);
    return true;
}

void TfrmOption::actOkUpdate(TAction* sender) {
    // The path is written whichever browser is chosen, so it must be one the settings file can hold.
    const bool storable = BrowserPathBytes().has_value();
    sender->SetEnabled(storable &&
                       (rbUseDefaultBrowser->isChecked() || (rbUseDirectedBrowser->isChecked() && FPathIsProgram)));
}

void TfrmOption::actOkExecute(TAction* sender) {
    // The file may have gone since the last look.
    CheckBrowserPath();
    actOkUpdate(sender);
    if (!sender->Enabled())
        return;
    VelGlobals::TopMost = cbTopMost->isChecked();
    VelGlobals::ShowToolTip = cbShowToolTip->isChecked();
    VelGlobals::SyncCapsLock = cbSyncCapsLock->isChecked();
    VelGlobals::SaveURLBox = cbSaveURLBox->isChecked();
    VelGlobals::MinimizeAfterExe = cbMinimizeAfterExe->isChecked();
    VelGlobals::UseDirectedBrowser = rbUseDirectedBrowser->isChecked();
    VelGlobals::DirectedBrowserPath = *BrowserPathBytes();
    VelGlobals::RunWithCommandLine = cbRunWithCommandLine->isChecked();
    accept();
}
