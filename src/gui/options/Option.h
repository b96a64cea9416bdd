#pragma once

#include "gui/controls/VelDialog.h"

#include <QByteArray>
#include <QString>
#include <optional>

class QCheckBox;
class QFileDialog;
class QFileSystemWatcher;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class IShellOpen;
class TAction;
class TActionList;
class TOneLineEdit;

// The options dialog: shows the program-wide flags and the browser choice and writes them back only on OK.
class TfrmOption final : public TVelDialog {
    Q_OBJECT
public:
    // shellOpen and manualPath: how and what the help button opens.
    TfrmOption(QWidget* owner, IShellOpen& shellOpen, const QString& manualPath);
    ~TfrmOption() override;

protected:
    bool event(QEvent* event) override;

private:
    QFrame* pnlOption;
    QCheckBox* cbTopMost;
    QCheckBox* cbShowToolTip;
    QCheckBox* cbSyncCapsLock;
    QCheckBox* cbSaveURLBox;
    QCheckBox* cbMinimizeAfterExe;
    QGroupBox* gbBrowser;
    QRadioButton* rbUseDefaultBrowser;
    QCheckBox* cbRunWithCommandLine;
    QRadioButton* rbUseDirectedBrowser;
    QLabel* lblPath;
    TOneLineEdit* edBrowserPath;
    QPushButton* btnSelectBrowser;
    QPushButton* btnOK;
    QPushButton* btnCansel;
    QPushButton* btnHelp;
    QFileDialog* OpenDialog = nullptr; // made when "..." is first used

    TActionList* ActionList1;
    TAction* actOk = nullptr;

    void CreateControls();
    void CreateBrowserGroup();
    void CreateButtons();
    void CreateActions();
    void SetTabOrder();
    void FormCreate();

    void rbUseDefaultBrowserClick();
    void rbUseDirectedBrowserClick();
    void btnSelectBrowserClick();
    void btnHelpClick();
    void actOkUpdate(TAction* sender);
    void actOkExecute(TAction* sender);

    // The path box's text as code page 932 bytes; nothing when the code page cannot hold it.
    std::optional<QByteArray> BrowserPathBytes() const;
    // Looks at the file the path box names again; the update rule reads only the result, never the disk.
    void CheckBrowserPath();
    // Watches the file the path box names and the nearest folder above it that exists; true when that changed.
    bool WatchBrowserPath();

    IShellOpen& FShellOpen;
    QString FManualPath;
    // The stored path and its shown form: an unchanged box gives back the stored bytes exactly.
    QByteArray FStoredPath;
    QString FStoredPathText;
    bool FPathIsProgram = false;
    QFileSystemWatcher* FPathWatcher = nullptr;
};
