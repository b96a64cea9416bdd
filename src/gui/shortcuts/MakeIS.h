#pragma once

#include "gui/controls/VelDialog.h"

#include <QByteArray>
#include <functional>
#include <optional>

class ISpecialFolders;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TAction;
class TActionList;
class TNelFolderDialog;
class TOneLineEdit;

// Saves the URL as an Internet Shortcut file on the Desktop, in Favorites or in a chosen folder, under a
// name the user types.
class TfrmMakeIS final : public TVelDialog {
    Q_OBJECT
public:
    using UrlSource = std::function<QByteArray()>;
    using ErrorReport = std::function<void(QWidget*, const QString&)>;

    // url gives the URL box's bytes when the shortcut is made; reportError shows a failed write.
    TfrmMakeIS(QWidget* owner, UrlSource url, ErrorReport reportError);
    ~TfrmMakeIS() override;

    // Where the Desktop and Favorites are; tests put a fake in its place.
    static ISpecialFolders* SpecialFolders;

private:
    QFrame* pnlMakeIS;
    QLabel* Label1;
    TOneLineEdit* edFileName;
    QGroupBox* rgPlace;
    QRadioButton* rbPlace[3];
    QPushButton* btnMake;
    QPushButton* btnCancel;
    TNelFolderDialog* NelFolderDialog1;
    TActionList* ActionList1;
    TAction* actMake = nullptr;

    void CreateControls();
    void CreatePlaceGroup();
    void CreateButtons();
    void FormCreate();

    // The selected place: 0 Desktop, 1 Favorites, 2 a chosen folder, -1 none.
    int PlaceIndex() const;
    void SetPlaceIndex(int index);
    // The folder of the selected place with its "/", empty for none; nothing when the folder dialog is
    // cancelled.
    std::optional<QString> TargetFolderOfPlace();

    void actMakeUpdate(TAction* sender);
    void actMakeExecute(TAction* sender);

    UrlSource FUrl;
    ErrorReport FReportError;
};
