#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

enum TDefaultRoot { drDesktop, drMyComputer };
enum TFolderDialogPosition { fdpNone, fdpCustom, fdpOwnerFormCenter, fdpDesktopCenter, fdpScreenCenter };

// What the folder dialog's placement is computed from; rectangles are outer (frame) geometries.
struct TFolderDialogPlace {
    TFolderDialogPosition position = fdpNone;
    QRect form;              // the reference form
    QPoint formClientOrigin; // its client area's top-left corner on the screen
    QRect workArea;
    QSize screen;
    QSize dialog;
    int offsetX = 0;
    int offsetY = 0;
};

// Where the dialog's top-left corner goes; nothing for fdpNone. Only the work area's right and bottom edges
// count, and halves round toward zero.
std::optional<QPoint> FolderDialogPosition(const TFolderDialogPlace& place);

// The folder the dialog starts from: an existing folder as given, the folder part (with its "/") of an
// existing file, else empty.
QString NormalizeFolder(const QString& folder);

// Lets the user pick a file-system folder in a modal tree of folders, with the initial folder preselected.
class TNelFolderDialog final : public QObject {
    Q_OBJECT
public:
    explicit TNelFolderDialog(QObject* owner);

    bool AddPathDelim() const { return FAddPathDelim; }
    void SetAddPathDelim(bool value) { FAddPathDelim = value; }
    TDefaultRoot DefaultRoot() const { return FDefaultRoot; }
    void SetDefaultRoot(TDefaultRoot value) { FDefaultRoot = value; }
    QString Description() const { return FDescription; }
    // An empty text brings back the default.
    void SetDescription(const QString& value);
    TFolderDialogPosition DialogPos() const { return FDialogPos; }
    void SetDialogPos(TFolderDialogPosition value) { FDialogPos = value; }
    int OffsetX() const { return FOffsetX; }
    void SetOffsetX(int value) { FOffsetX = value; }
    int OffsetY() const { return FOffsetY; }
    void SetOffsetY(int value) { FOffsetY = value; }
    bool ShowPath() const { return FShowPath; }
    void SetShowPath(bool value) { FShowPath = value; }
    QString Title() const { return FTitle; }
    // An empty text brings back the default.
    void SetTitle(const QString& value);
    QString Folder() const { return FFolder; }
    void SetFolder(const QString& value) { FFolder = value; }

    // True when the user chose a folder with OK (Folder holds it); false when cancelled (Folder holds the
    // normalised initial folder).
    bool Execute();

    static QString DefaultDescription();
    static QString DefaultTitle();

private:
    // The owner when that is a window, else the application's active window.
    QWidget* ReferenceForm() const;

    bool FAddPathDelim = false;
    TDefaultRoot FDefaultRoot = drMyComputer;
    QString FDescription;
    TFolderDialogPosition FDialogPos = fdpNone;
    int FOffsetX = 0;
    int FOffsetY = 0;
    bool FShowPath = true;
    QString FTitle;
    QString FFolder;
};
