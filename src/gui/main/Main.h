#pragma once

#include <QByteArray>
#include <QClipboard>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <cstddef>
#include <functional>
#include <optional>

class QMenu;
class QAction;
class QTimer;
class ICapsLock;
class IClipboard;
class IShellOpen;
class TAction;
class TActionList;
class TMoxSpeedButton;
class TNelPictureButton;
class TSessionEnd;
class TSysImageList;
class TTemplateMenu;
class TUrlBox;
class TZelkOnlyOne;
class TZelkTextDropTarget;
struct TClipboardText;
class TQuickIni;
struct TVelWindowState;

// The main window: the URL box above the on-screen keyboard, the menu bar, and the program's lifecycle
// from reading the settings to writing them back.
class TfrmMain final : public QMainWindow {
    Q_OBJECT
public:
    // settingsDir: the folder of the settings file; manualPath: the manual the Help menu opens, by default
    // the one in settingsDir.
    // instanceTitle: the title that keeps a second copy from running; empty runs without that guard.
    explicit TfrmMain(const QString& settingsDir, const QString& manualPath = QString(), QWidget* parent = nullptr,
                      const QString& instanceTitle = QString());
    ~TfrmMain() override;

    // Shows an error to the user; tests replace it.
    static std::function<void(QWidget*, const QString&)> ErrorReporter;
    // Reports a settings write that failed at the end of the session, where nothing may wait for the user;
    // tests replace it.
    static std::function<void(const QString&)> SessionEndReporter;
    // The desktop's Caps Lock and document opener; tests put fakes in their place.
    static ICapsLock* CapsLock;
    static IShellOpen* ShellOpen;
    // The clipboard a new window uses; null for the desktop's. Tests put a fake in its place.
    static IClipboard* Clipboard;
    // Whether the window's position on the screen is known (not on Wayland); tests replace it.
    static std::function<bool()> WindowPositionKnown;

    QString SettingsPath() const;
    // False in a second instance, which ends without ever showing its window.
    bool ShowMainForm() const;

    // Keyboard
    void InsertAtCaret(const QByteArray& text);
    void SetLetterCase(bool upper);
    void SyncCapsFromKeyboard();
    void ApplyIdleHook();

    // Lifecycle
    bool SaveSettings();
    // SIGTERM, SIGHUP or the session manager: settings written once, then the program ends. During start-up
    // an open box is closed and the end comes once start-up is done.
    void EndSession();
    // The session has ended: the program's entry does not start the event loop.
    bool EndRequested() const { return FEndRequested; }

    // The menu bar's images, by TMenuImage; the browse item's takes the last place once the File menu opens.
    const QList<QPixmap>& MenuImageList() const { return ImageList; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TZelkOnlyOne* ZelkOnlyOne1 = nullptr;
    TZelkTextDropTarget* ZelkTextDropTarget1 = nullptr;

    // Controls
    TUrlBox* edURL = nullptr;
    TMoxSpeedButton* sbCaps = nullptr;
    TMoxSpeedButton* sbFastLeft = nullptr;
    TMoxSpeedButton* sbFastRight = nullptr;
    TNelPictureButton* pbBrowse = nullptr;
    TNelPictureButton* pbMakeIS = nullptr;
    TMoxSpeedButton* Key(const QString& name) const { return FKeys.value(name); }

    // Actions
    TActionList* ActionList1 = nullptr;
    TAction* actFromClip = nullptr;
    TAction* actBrowse = nullptr;
    TAction* actToClip = nullptr;
    TAction* actFastLeft = nullptr;
    TAction* actFastRight = nullptr;
    TAction* actMakeIS = nullptr;
    TAction* actMoveTop = nullptr;
    TAction* actMoveEnd = nullptr;
    TAction* actAC = nullptr;
    TAction* actDel = nullptr;
    TAction* actBS = nullptr;
    TAction* actTopMost = nullptr;
    TAction* actAddTemplate = nullptr;

    // Menu bar
    QMenu* tmiFile = nullptr;
    QMenu* tmiTemplate = nullptr;
    QMenu* tmiOption = nullptr;
    QMenu* tmiHelp = nullptr;
    QAction* miBrowse = nullptr;
    QAction* miCopy = nullptr;
    QAction* miPaste = nullptr;
    QAction* miMakeIS = nullptr;
    QAction* miExit = nullptr;
    QAction* miTopMost = nullptr;
    QAction* miOption = nullptr;
    QAction* miHelp = nullptr;
    QAction* miAbout = nullptr;
    QAction* miAddTemplate = nullptr;
    QAction* miEditTemplate = nullptr;
    TTemplateMenu* FTemplateMenu = nullptr;
    QList<QPixmap> ImageList;
    // Made when the File menu first opens: the icon lookup reads the icon theme and the MIME database.
    TSysImageList* SysImageList = nullptr;

    QTimer* tmFastLeft = nullptr;
    QTimer* tmFastRight = nullptr;
    bool FastLeftHeld = false;
    bool FastRightHeld = false;

    void CreateClientArea();
    void CreateKeys(QWidget* client);
    void CreateActions();
    void CreateDropTargets();
    void BindKeys();
    void CreatePictureButtons();
    void CreateRepeatTimers();
    void CreateMenu();
    void CreateMenuItems(QMenu* menu, const struct TMenuItemDef* items, std::size_t count);
    void ReserveMenuShortcuts();
    void FormCreate();
    void FormDestroy();
    void ReadSettings(TQuickIni& ini, QPoint centred);
    TVelWindowState ShownWindowState() const;
    bool FormCloseQuery();
    void ReportError(const QString& message);
    void BuildTemplateMenu();
    void TemplateItemClick(int index);
    void EditTemplateItemClick();
    void ClipboardChanged();
    void edURLPaste(QClipboard::Mode mode);
    void ClipboardAnswered(const TClipboardText& answer);
    void ClipboardTextArrived(const TClipboardText& answer);
    void ZelkTextDropTarget1TextDrop(const QString& text);
    void SetWholeUrl(const QString& text);
    bool edURLDropFiles(QEvent* event);
    void SendKeyToBox(Qt::Key key);

    void sbAlpha_QClick(TMoxSpeedButton* sender);
    void sbNum_3Click(TMoxSpeedButton* sender);
    void sbHyphenClick(TMoxSpeedButton* sender);
    void sbhttpClick(TMoxSpeedButton* sender);
    void sbAmpersandClick(TMoxSpeedButton* sender);
    void sbCapsMouseDown(TMoxSpeedButton* sender);
    void edURLKeyDown();
    void edURLKeyPress(QChar& key);
    void ApplicationEvents1Idle();

    void actFromClipUpdate(TAction* sender);
    void actFromClipExecute(TAction* sender);
    void actToClipUpdate(TAction* sender);
    void actToClipExecute(TAction* sender);
    void actFastLeftUpdate(TAction* sender);
    void actFastLeftExecute(TAction* sender);
    void actFastRightUpdate(TAction* sender);
    void actFastRightExecute(TAction* sender);
    void actMoveTopUpdate(TAction* sender);
    void actMoveTopExecute(TAction* sender);
    void actMoveEndUpdate(TAction* sender);
    void actMoveEndExecute(TAction* sender);
    void actACUpdate(TAction* sender);
    void actACExecute(TAction* sender);
    void actDelUpdate(TAction* sender);
    void actDelExecute(TAction* sender);
    void actBSUpdate(TAction* sender);
    void actBSExecute(TAction* sender);
    void actTopMostUpdate(TAction* sender);
    void actTopMostExecute(TAction* sender);
    void actBrowseUpdate(TAction* sender);
    void actBrowseExecute(TAction* sender);
    void actMakeISUpdate(TAction* sender);
    void actMakeISExecute(TAction* sender);
    void actAddTemplateUpdate(TAction* sender);
    void actAddTemplateExecute(TAction* sender);
    void UpdateCaretCommands();

    void sbFastLeftMouseDown(TMoxSpeedButton* sender);
    void sbFastRightMouseDown(TMoxSpeedButton* sender);
    void sbFastLeftMouseUp(TMoxSpeedButton* sender);
    void sbFastRightMouseUp(TMoxSpeedButton* sender);
    void tmFastLeftTimer();
    void tmFastRightTimer();
    void RepeatTimerTimer();
    void StartFastRepeat(bool left);
    void StopFastRepeat(bool left);
    void FastRepeatStep(bool left);

    void tmiFileClick();
    void miOptionClick();
    void miHelpClick();
    void miAboutClick();
    void miExitClick();

    QString FSettingsDir;
    QString FManualPath;
    QHash<QString, TMoxSpeedButton*> FKeys;
    TSessionEnd* FSessionEnd = nullptr;
    bool FSessionEnded = false;
    bool FCreating = true;
    bool FEndRequested = false;
    void FinishSession();
    void CloseModalWindows();
    IClipboard* FClipboard = nullptr;
    // What the clipboard held when it was last asked after a change; only the latest question counts.
    bool FClipboardHasText = false;
    quint64 FClipboardQuestion = 0;
    QTimer* FRepeatTimer = nullptr;
    // The position read from the file, stored again where the window's own cannot be known. A coordinate
    // without a number took the centred default before the window manager had framed the window; once the
    // frame is known it is centred again with the real outer size.
    std::optional<qint32> FStoredLeft;
    std::optional<qint32> FStoredTop;
    bool FPlacementSettled = false;
};
