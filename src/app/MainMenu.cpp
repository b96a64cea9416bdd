// The main window's menu bar.
#include "app/Main.h"
#include "app/MenuImages.h"
#include "app/UrlBox.h"
#include "common/Actions.h"
#include "common/VelGlobals.h"
#include "controls/BrowseMenuImage.h"
#include "controls/SysImg.h"
#include "platform/BrowserLaunch.h"
#include "templates/EditTemplate.h"
#include "templates/TemplateList.h"
#include "templates/TemplateMenu.h"

#include <QMenuBar>

namespace {

// The images are drawn for both states already; Qt is not to grey them again.
QIcon MenuIcon(const QPixmap& image) {
    QIcon icon;
    if (!image.isNull()) {
        icon.addPixmap(image, QIcon::Normal);
        icon.addPixmap(image, QIcon::Disabled);
    }
    return icon;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {},
                 const QPixmap& image = {}) {
    QAction* item = menu->addAction(MenuIcon(image), QString::fromUtf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(shortcut);
    return item;
}

} // namespace

void TfrmMain::CreateMenu() {
    ImageList = MenuImages();
    SysImageList = new TSysImageList(this);
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    tmiFile = MainMenu1->addMenu(QString::fromUtf8("ファイル(&F)"));
    tmiFile->setObjectName(QStringLiteral("tmiFile"));
    connect(tmiFile, &QMenu::aboutToShow, this, &TfrmMain::tmiFileClick);
    miBrowse = AddItem(tmiFile, "miBrowse", "ブラウザに送る(&B)", QKeySequence(Qt::CTRL | Qt::Key_B));
    actBrowse->BindMenuItem(miBrowse);
    tmiFile->addSeparator()->setObjectName(QStringLiteral("N12"));
    miCopy = AddItem(tmiFile, "miCopy", "クリップボードにコピー(&P)", QKeySequence(Qt::CTRL | Qt::Key_P), ImageList[0]);
    actToClip->BindMenuItem(miCopy);
    miPaste =
        AddItem(tmiFile, "miPaste", "クリップボードから貼り付け(&V)", QKeySequence(Qt::CTRL | Qt::Key_V), ImageList[1]);
    actFromClip->BindMenuItem(miPaste);
    tmiFile->addSeparator()->setObjectName(QStringLiteral("N13"));
    miMakeIS = AddItem(tmiFile, "miMakeIS", "インターネットショートカットの作成(&S)",
                       QKeySequence(Qt::CTRL | Qt::Key_S), ImageList[6]);
    actMakeIS->BindMenuItem(miMakeIS);
    tmiFile->addSeparator()->setObjectName(QStringLiteral("N14"));
    miExit = AddItem(tmiFile, "miExit", "終了(&X)", QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(miExit, &QAction::triggered, this, &TfrmMain::miExitClick);

    tmiTemplate = MainMenu1->addMenu(QString::fromUtf8("テンプレート(&T)"));
    tmiTemplate->setObjectName(QStringLiteral("tmiTemplate"));
    miAddTemplate = new QAction(actAddTemplate->Caption(), this);
    miAddTemplate->setObjectName(QStringLiteral("miAddTemplate"));
    miAddTemplate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    actAddTemplate->BindMenuItem(miAddTemplate);
    miEditTemplate = new QAction(MenuIcon(ImageList[2]), QString::fromUtf8("テンプレートの編集(&T)"), this);
    miEditTemplate->setObjectName(QStringLiteral("miEditTemplate"));
    miEditTemplate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(miEditTemplate, &QAction::triggered, this, &TfrmMain::EditTemplateItemClick);
    FTemplateMenu = new TTemplateMenu(tmiTemplate, this);
    FTemplateMenu->SetNextPageIcon(MenuIcon(ImageList[5]));
    FTemplateMenu->SetFixedItems(miAddTemplate, miEditTemplate);
    connect(FTemplateMenu, &TTemplateMenu::TemplateItemClick, this, &TfrmMain::TemplateItemClick);

    tmiOption = MainMenu1->addMenu(QString::fromUtf8("設定(&O)"));
    tmiOption->setObjectName(QStringLiteral("tmiOption"));
    miTopMost = AddItem(tmiOption, "miTopMost", "常に最前面に表示(&M)", QKeySequence(Qt::CTRL | Qt::Key_M));
    miTopMost->setCheckable(true);
    actTopMost->BindMenuItem(miTopMost);
    tmiOption->addSeparator()->setObjectName(QStringLiteral("N6"));
    miOption = AddItem(tmiOption, "miOption", "設定(&O)", QKeySequence(Qt::CTRL | Qt::Key_O), ImageList[3]);
    connect(miOption, &QAction::triggered, this, &TfrmMain::miOptionClick);

    tmiHelp = MainMenu1->addMenu(QString::fromUtf8("ヘルプ(&H)"));
    tmiHelp->setObjectName(QStringLiteral("tmiHelp"));
    miHelp = AddItem(tmiHelp, "miHelp", "説明書の表示(&H)", QKeySequence(Qt::Key_F1), ImageList[4]);
    connect(miHelp, &QAction::triggered, this, &TfrmMain::miHelpClick);
    tmiHelp->addSeparator()->setObjectName(QStringLiteral("N4"));
    miAbout = AddItem(tmiHelp, "miAbout", "バージョン情報(&A)", QKeySequence(Qt::CTRL | Qt::Key_F1));
    connect(miAbout, &QAction::triggered, this, &TfrmMain::miAboutClick);

    // Menu shortcuts come before the box's own keys, whether their items are enabled or not.
    QList<QKeySequence> reserved;
    for (QAction* item :
         {miBrowse, miCopy, miPaste, miMakeIS, miTopMost, miOption, miHelp, miAbout, miAddTemplate, miEditTemplate})
        reserved.append(item->shortcut());
    edURL->SetReservedKeys(reserved);
}

void TfrmMain::tmiFileClick() {
    // The menu shows the state of this moment, not of the last idle time.
    actBrowse->Update();
    const QByteArray path = DesktopBrowserIconPath();
    const QPixmap image = BrowseMenuImage(*SysImageList, path, actBrowse->Enabled(), SystemMenuColor());
    actBrowse->SetImageIndex(ReplaceLastImage(ImageList, image));
    miBrowse->setIcon(MenuIcon(ImageList[actBrowse->ImageIndex()]));
}

void TfrmMain::BuildTemplateMenu() {
    FTemplateMenu->BuildTemplateMenu(VelGlobals::TemplateList);
}

void TfrmMain::TemplateItemClick(int index) {
    const auto placed = TemplateForBox(VelGlobals::TemplateList, index);
    if (!placed)
        return;
    edURL->SetTextBytes(placed->text, placed->caret);
    edURL->setFocus();
}

void TfrmMain::EditTemplateItemClick() {
    {
        TfrmEditTemplate frmEditTemplate(this);
        frmEditTemplate.exec();
    }
    BuildTemplateMenu();
}

void TfrmMain::actAddTemplateUpdate(TAction* sender) {
    sender->SetEnabled(CanAddTemplate(VelGlobals::TemplateList, edURL->TextBytes(), edURL->SelStartBytes()));
}

void TfrmMain::actAddTemplateExecute(TAction*) {
    if (const auto candidate = AddTemplateCandidate(edURL->TextBytes(), edURL->SelStartBytes())) {
        VelGlobals::TemplateList.append(*candidate);
        BuildTemplateMenu();
    }
}
