#pragma once

#include "core/shortcuts/FolderPreselection.h"
#include "core/window/FolderDialogPlace.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

enum TDefaultRoot { drDesktop, drMyComputer };

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
