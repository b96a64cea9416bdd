// The main window's menu bar and the commands only the menu gives: top-most, options, make shortcut, help,
// version and exit.
#include "core/settings/VelGlobals.h"
#include "core/templates/TemplateList.h"
#include "gui/about/About.h"
#include "gui/controls/Actions.h"
#include "gui/controls/BrowseMenuImage.h"
#include "gui/controls/SysImg.h"
#include "gui/controls/VelUtils.h"
#include "gui/main/Main.h"
#include "gui/main/MenuImages.h"
#include "gui/main/UrlBox.h"
#include "gui/options/Option.h"
#include "gui/shortcuts/MakeIS.h"
#include "gui/templates/EditTemplate.h"
#include "gui/templates/TemplateMenu.h"
#include "platform/BrowserLaunch.h"
#include "platform/ShellOpen.h"

#include <QMenuBar>
#include <iterator>
#include <span>

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

} // namespace

// One menu item, or a separator when caption is null. An item runs either its action or its click handler.
struct TMenuItemDef {
    const char* name;
    const char* caption = nullptr;
    QKeySequence shortcut = {};
    TMenuImage image = TMenuImage::None;
    QAction* TfrmMain::*member = nullptr;
    TAction* TfrmMain::*action = nullptr;
    void (TfrmMain::*click)() = nullptr;
    bool checkable = false;
};

// Items of a null menu are made for the template menu, which places them itself.
void TfrmMain::CreateMenuItems(QMenu* menu, const TMenuItemDef* items, std::size_t count) {
    for (const TMenuItemDef& def : std::span(items, count)) {
        if (!def.caption) {
            menu->addSeparator()->setObjectName(QString::fromLatin1(def.name));
            continue;
        }
        const QIcon icon = def.image == TMenuImage::None ? QIcon() : MenuIcon(ImageList[int(def.image)]);
        QAction* item = menu ? menu->addAction(icon, tr(def.caption)) : new QAction(icon, tr(def.caption), this);
        item->setObjectName(QString::fromLatin1(def.name));
        item->setShortcut(def.shortcut);
        item->setCheckable(def.checkable);
        this->*def.member = item;
        if (def.action)
            (this->*def.action)->Bind(item);
        if (def.click)
            connect(item, &QAction::triggered, this, def.click);
    }
}

void TfrmMain::CreateMenu() {
    ImageList = MenuImages();
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const auto addMenu = [MainMenu1](const char* name, const char* caption) {
        QMenu* menu = MainMenu1->addMenu(tr(caption));
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    using M = TfrmMain;
    using I = TMenuImage;

    tmiFile = addMenu("tmiFile", QT_TRANSLATE_NOOP("TfrmMain", "ファイル(&F)"));
    connect(tmiFile, &QMenu::aboutToShow, this, &TfrmMain::tmiFileClick);
    const TMenuItemDef file[] = {
        {"miBrowse", QT_TRANSLATE_NOOP("TfrmMain", "ブラウザに送る(&B)"), Qt::CTRL | Qt::Key_B, I::None, &M::miBrowse,
         &M::actBrowse},
        {"N12"},
        {"miCopy", QT_TRANSLATE_NOOP("TfrmMain", "クリップボードにコピー(&P)"), Qt::CTRL | Qt::Key_P, I::Copy,
         &M::miCopy, &M::actToClip},
        {"miPaste", QT_TRANSLATE_NOOP("TfrmMain", "クリップボードから貼り付け(&V)"), Qt::CTRL | Qt::Key_V, I::Paste,
         &M::miPaste, &M::actFromClip},
        {"N13"},
        {"miMakeIS", QT_TRANSLATE_NOOP("TfrmMain", "インターネットショートカットの作成(&S)"), Qt::CTRL | Qt::Key_S,
         I::MakeShortcut, &M::miMakeIS, &M::actMakeIS},
        {"N14"},
        {"miExit", QT_TRANSLATE_NOOP("TfrmMain", "終了(&X)"), Qt::ALT | Qt::Key_F4, I::None, &M::miExit, nullptr,
         &M::miExitClick},
    };
    CreateMenuItems(tmiFile, file, std::size(file));

    tmiTemplate = addMenu("tmiTemplate", QT_TRANSLATE_NOOP("TfrmMain", "テンプレート(&T)"));
    const TMenuItemDef templateItems[] = {
        {"miAddTemplate", QT_TRANSLATE_NOOP("TfrmMain", "テンプレートに追加(&U)"), Qt::CTRL | Qt::Key_U, I::None,
         &M::miAddTemplate, &M::actAddTemplate},
        {"miEditTemplate", QT_TRANSLATE_NOOP("TfrmMain", "テンプレートの編集(&T)"), Qt::CTRL | Qt::Key_T,
         I::EditTemplate, &M::miEditTemplate, nullptr, &M::EditTemplateItemClick},
    };
    CreateMenuItems(nullptr, templateItems, std::size(templateItems));
    FTemplateMenu = new TTemplateMenu(tmiTemplate, this);
    FTemplateMenu->SetNextPageIcon(MenuIcon(ImageList[int(I::NextPage)]));
    FTemplateMenu->SetFixedItems(miAddTemplate, miEditTemplate);
    connect(FTemplateMenu, &TTemplateMenu::TemplateItemClick, this, &TfrmMain::TemplateItemClick);

    tmiOption = addMenu("tmiOption", QT_TRANSLATE_NOOP("TfrmMain", "設定(&O)"));
    const TMenuItemDef option[] = {
        {"miTopMost", QT_TRANSLATE_NOOP("TfrmMain", "常に最前面に表示(&M)"), Qt::CTRL | Qt::Key_M, I::None,
         &M::miTopMost, &M::actTopMost, nullptr, true},
        {"N6"},
        {"miOption", QT_TRANSLATE_NOOP("TfrmMain", "設定(&O)"), Qt::CTRL | Qt::Key_O, I::Option, &M::miOption, nullptr,
         &M::miOptionClick},
    };
    CreateMenuItems(tmiOption, option, std::size(option));

    tmiHelp = addMenu("tmiHelp", QT_TRANSLATE_NOOP("TfrmMain", "ヘルプ(&H)"));
    const TMenuItemDef help[] = {
        {"miHelp", QT_TRANSLATE_NOOP("TfrmMain", "説明書の表示(&H)"), Qt::Key_F1, I::Manual, &M::miHelp, nullptr,
         &M::miHelpClick},
        {"N4"},
        {"miAbout", QT_TRANSLATE_NOOP("TfrmMain", "バージョン情報(&A)"), Qt::CTRL | Qt::Key_F1, I::None, &M::miAbout,
         nullptr, &M::miAboutClick},
    };
    CreateMenuItems(tmiHelp, help, std::size(help));
    ReserveMenuShortcuts();
}

// Menu shortcuts come before the box's own keys, whether their items are enabled or not.
void TfrmMain::ReserveMenuShortcuts() {
    QList<QKeySequence> reserved;
    for (QAction* item :
         {miBrowse, miCopy, miPaste, miMakeIS, miTopMost, miOption, miHelp, miAbout, miAddTemplate, miEditTemplate})
        reserved.append(item->shortcut());
    edURL->SetReservedKeys(reserved);
}

void TfrmMain::tmiFileClick() {
    // The menu shows the state of this moment, not of the last idle time.
    actBrowse->Update();
    // Looking up the browser's icon reads the icon theme and the MIME database: not before it is first shown.
    if (!SysImageList)
        SysImageList = new TSysImageList(this);
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
    // The window goes back on top after the dialog is gone, however it went.
    struct TTopMostAfterwards {
        TfrmMain* window;
        ~TTopMostAfterwards() { SetTopMost(window, VelGlobals::TopMost); }
    } topMostAfterwards{this};
    TfrmOption dialog(this, *ShellOpen, FManualPath);
    if (dialog.exec() == QDialog::Accepted) {
        // Tooltips follow ShowToolTip by themselves (eventFilter); the Caps hook is attached or removed here.
        ApplyIdleHook();
    }
}

void TfrmMain::actMakeISExecute(TAction*) {
    TfrmMakeIS dialog(
        this, [this] { return edURL->TextBytes(); },
        [](QWidget* parent, const QString& message) {
            if (ErrorReporter)
                ErrorReporter(parent, message);
        });
    dialog.exec();
}

void TfrmMain::miHelpClick() {
    ShellOpen->OpenDocument(FManualPath);
}

void TfrmMain::miAboutClick() {
    TfrmAbout dialog(this, *ShellOpen);
    dialog.exec();
}

void TfrmMain::miExitClick() {
    close();
}
