#include "gui/shortcuts/MakeIS.h"

#include "core/messages/ErrorReport.h"
#include "core/settings/QuickIni.h"
#include "core/settings/VelGlobals.h"
#include "core/shortcuts/InternetShortcut.h"
#include "core/text/ShiftJis.h"
#include "gui/controls/Actions.h"
#include "gui/controls/Fonts.h"
#include "gui/controls/Looks.h"
#include "gui/controls/OneLineEdit.h"
#include "gui/shortcuts/NelFolderDialog.h"
#include "platform/SpecialFolders.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

ISpecialFolders* TfrmMakeIS::SpecialFolders = &DesktopSpecialFolders();

TfrmMakeIS::TfrmMakeIS(QWidget* owner, UrlSource url, ErrorReport reportError)
    : TVelDialog(owner, tr("ｲﾝﾀｰﾈｯﾄｼｮｰﾄｶｯﾄの作成"), QSize(264, 224)), FUrl(std::move(url)),
      FReportError(std::move(reportError)) {
    setObjectName(QStringLiteral("frmMakeIS"));
    // Over the window that opened it, rather than in the middle of the screen.
    SetCentreOverOwner(true);
    CreateControls();
    FormCreate();
}

TfrmMakeIS::~TfrmMakeIS() = default;

void TfrmMakeIS::CreateControls() {
    pnlMakeIS = SetUpPanel("pnlMakeIS", {253, 183});

    Label1 = new QLabel(tr("ファイル名を入力してください。(&N)"), pnlMakeIS);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(FaceFont(kPGothicFace, 13));
    // As wide and high as its text in the font at hand, never cut at a fixed width.
    Label1->move(14, 16);
    Label1->adjustSize();

    edFileName = new TOneLineEdit(pnlMakeIS);
    edFileName->setObjectName(QStringLiteral("edFileName"));
    edFileName->setGeometry(16, 38, 221, 23);
    edFileName->setFont(FaceFont(kPGothicFace, 15));
    Label1->setBuddy(edFileName);

    CreatePlaceGroup();
    CreateButtons();

    NelFolderDialog1 = new TNelFolderDialog(this);
    NelFolderDialog1->setObjectName(QStringLiteral("NelFolderDialog1"));
    NelFolderDialog1->SetAddPathDelim(true);
    NelFolderDialog1->SetDescription(tr("フォルダを選択して下さい。"));
    NelFolderDialog1->SetDialogPos(fdpOwnerFormCenter);
    NelFolderDialog1->SetTitle(tr("フォルダの参照"));

    setTabOrder(edFileName, rbPlace[0]);
    setTabOrder(rbPlace[0], rbPlace[1]);
    setTabOrder(rbPlace[1], rbPlace[2]);
    setTabOrder(rbPlace[2], btnMake);
    setTabOrder(btnMake, btnCancel);
}

void TfrmMakeIS::CreatePlaceGroup() {
    rgPlace = new QGroupBox(tr("作成する場所(&P)"), pnlMakeIS);
    rgPlace->setObjectName(QStringLiteral("rgPlace"));
    rgPlace->setGeometry(51, 70, 149, 93);
    rgPlace->setFont(FaceFont(kPGothicFace, 13));
    // One column, the items spread evenly below the caption.
    static const char* const kItems[] = {QT_TRANSLATE_NOOP("TfrmMakeIS", "デスクトップ(&D)"),
                                         QT_TRANSLATE_NOOP("TfrmMakeIS", "お気に入り(&F)"),
                                         QT_TRANSLATE_NOOP("TfrmMakeIS", "任意のフォルダ(&A)")};
    for (int i = 0; i < 3; ++i) {
        rbPlace[i] = new QRadioButton(tr(kItems[i]), rgPlace);
        rbPlace[i]->setObjectName(QStringLiteral("rgPlace%1").arg(i));
        rbPlace[i]->setGeometry(8, 17 + i * 24, 133, 20);
    }
}

void TfrmMakeIS::CreateButtons() {
    btnMake = new QPushButton(this);
    btnMake->setObjectName(QStringLiteral("btnMake"));
    btnMake->setGeometry(77, 198, 88, 21);
    btnMake->setDefault(true);
    btnCancel = new QPushButton(tr("キャンセル"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(171, 198, 88, 21);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    ActionList1 = new TActionList(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));
    using Row = TActionList::Row<TfrmMakeIS>;
    using T = TfrmMakeIS;
    static const Row rows[] = {
        {"actMake", QT_TRANSLATE_NOOP("TfrmMakeIS", "作成"), &T::actMakeUpdate, &T::actMakeExecute, &T::actMake},
    };
    ActionList1->Add(this, rows);
    actMake->Bind(btnMake);
}

void TfrmMakeIS::FormCreate() {
    SetPlaceIndex(std::clamp(VelGlobals::TargetFolderIndex, -1, 2));
    actMake->Update();
}

int TfrmMakeIS::PlaceIndex() const {
    for (int i = 0; i < 3; ++i) {
        if (rbPlace[i]->isChecked())
            return i;
    }
    return -1;
}

void TfrmMakeIS::SetPlaceIndex(int index) {
    for (int i = 0; i < 3; ++i) {
        // A checked radio button that unchecks itself only does so outside its exclusive group.
        rbPlace[i]->setAutoExclusive(false);
        rbPlace[i]->setChecked(i == index);
        rbPlace[i]->setAutoExclusive(true);
    }
}

std::optional<QString> TfrmMakeIS::TargetFolderOfPlace() {
    switch (PlaceIndex()) {
    // A missing folder is where the shortcut would go all the same: the write fails there and says so.
    case 0: {
        const QString folder = SpecialFolders->GetDesktopFolder();
        return folder.isEmpty() ? SpecialFolders->DesktopPlace() : folder;
    }
    case 1: {
        const QString folder = SpecialFolders->GetFavoritesFolder();
        return folder.isEmpty() ? SpecialFolders->FavoritesPlace() : folder;
    }
    case 2: {
        NelFolderDialog1->SetFolder(sjis::toUnicode(VelGlobals::TargetFolder));
        if (!NelFolderDialog1->Execute())
            return std::nullopt;
        const QString folder = NelFolderDialog1->Folder();
        // The folder dialog confirms only folders the code page can hold.
        const std::optional<QByteArray> stored = sjis::fromUnicode(folder, sjis::Unencodable::Refuse);
        if (!stored)
            return std::nullopt;
        // Remembered at once, even if the shortcut cannot be written in the end.
        VelGlobals::TargetFolder = *stored;
        return folder;
    }
    default:
        return QString();
    }
}

void TfrmMakeIS::actMakeUpdate(TAction* sender) {
    sender->SetEnabled(!edFileName->text().isEmpty());
}

void TfrmMakeIS::actMakeExecute(TAction*) {
    const std::optional<QString> folder = TargetFolderOfPlace();
    if (!folder)
        return;
    const QString fileName = *folder + edFileName->text() + QStringLiteral(".url");
    try {
        // A name the code page cannot hold is refused rather than written under another name.
        if (!sjis::isEncodable(edFileName->text()))
            throw EFileError(CannotWriteFileMessage(fileName));
        // Without a folder the name would be taken from wherever the program happens to run: never written.
        if (!QDir::isAbsolutePath(fileName))
            throw EFileError(CannotWriteFileMessage(fileName));
        WriteInternetShortcut(fileName, FUrl());
    } catch (const EFileError& error) {
        if (FReportError)
            FReportError(this, error.Message());
        return;
    }
    VelGlobals::TargetFolderIndex = PlaceIndex();
    accept();
}
