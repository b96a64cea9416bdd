#include "gui/shortcuts/NelFolderDialog.h"

#include "core/text/ShiftJis.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWindow>
#include <functional>

namespace {

QString WithDelimiter(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

// The modal window of one Execute: a tree of folders, the description above it, the path of the selection
// below it, OK and Cancel.
class TFolderBrowser final : public QDialog {
public:
    using Placement = std::function<std::optional<QPoint>(QSize outerSize)>;

    TFolderBrowser(QWidget* owner, const TNelFolderDialog& settings, Placement placement)
        : QDialog(owner), FShowPath(settings.ShowPath()), FPlacement(std::move(placement)) {
        setObjectName(QStringLiteral("NelFolderDialog"));
        setWindowTitle(TNelFolderDialog::DefaultTitle());
        if (settings.Title() != TNelFolderDialog::DefaultTitle())
            setWindowTitle(settings.Title());
        CreateControls(settings.Description());
        SetRoot(settings.DefaultRoot());
        if (!settings.Folder().isEmpty() && QFileInfo(settings.Folder()).isDir())
            Preselect(settings.Folder());
        SelectionChanged(FTree->currentIndex());
    }

    QString ChosenPath() const { return FModel->filePath(FTree->currentIndex()); }

protected:
    void showEvent(QShowEvent* event) override {
        if (!event->spontaneous())
            Place();
        QDialog::showEvent(event);
    }

    // The window manager's frame is known only once the window is mapped: placed again with its real
    // outer size, once.
    bool event(QEvent* event) override {
        const bool result = QDialog::event(event);
        if (!FPlacedWithFrame && isVisible() && windowHandle() && !windowHandle()->frameMargins().isNull() &&
            (event->type() == QEvent::Move || event->type() == QEvent::Show ||
             event->type() == QEvent::WindowActivate)) {
            FPlacedWithFrame = true;
            Place();
        }
        return result;
    }

private:
    void CreateControls(const QString& description) {
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel(description, this);
        label->setObjectName(QStringLiteral("lblDescription"));
        label->setWordWrap(true);
        layout->addWidget(label);

        FModel = new QFileSystemModel(this);
        FModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
        FModel->setReadOnly(true);
        FTree = new QTreeView(this);
        FTree->setObjectName(QStringLiteral("tvFolders"));
        FTree->setModel(FModel);
        FTree->setHeaderHidden(true);
        for (int column = 1; column < FModel->columnCount(); ++column)
            FTree->hideColumn(column);
        layout->addWidget(FTree, 1);
        connect(FTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex& current) { SelectionChanged(current); });
        // Folders load in the background: the preselected one is brought into view again as they arrive.
        connect(FModel, &QFileSystemModel::directoryLoaded, this, [this] { FTree->scrollTo(FTree->currentIndex()); });

        FStatus = new QLabel(this);
        FStatus->setObjectName(QStringLiteral("lblStatus"));
        FStatus->setTextInteractionFlags(Qt::NoTextInteraction);
        FStatus->setVisible(FShowPath);
        layout->addWidget(FStatus);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        FOk = new QPushButton(QStringLiteral("OK"), this);
        FOk->setObjectName(QStringLiteral("btnOK"));
        FOk->setDefault(true);
        auto* cancel = new QPushButton(QCoreApplication::translate("TNelFolderDialog", "キャンセル"), this);
        cancel->setObjectName(QStringLiteral("btnCancel"));
        buttons->addWidget(FOk);
        buttons->addWidget(cancel);
        layout->addLayout(buttons);
        connect(FOk, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        resize(320, 330);
    }

    // The desktop root starts at the home folder; the whole file system hangs from "/", which can be chosen.
    void SetRoot(TDefaultRoot root) {
        const QString top = root == drDesktop ? QDir::homePath() : QStringLiteral("/");
        FModel->setRootPath(top);
        if (root == drDesktop)
            FTree->setRootIndex(FModel->index(top));
    }

    void Preselect(const QString& folder) {
        const QModelIndex index = FModel->index(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
        if (!index.isValid() || !IsInTree(index))
            return;
        for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
            FTree->expand(parent);
        FTree->setCurrentIndex(index);
        FTree->scrollTo(index);
    }

    bool IsInTree(QModelIndex index) const {
        const QModelIndex root = FTree->rootIndex();
        for (index = index.parent(); index.isValid(); index = index.parent()) {
            if (index == root)
                return true;
        }
        return !root.isValid();
    }

    void SelectionChanged(const QModelIndex& current) {
        const QString path = current.isValid() ? FModel->filePath(current) : QString();
        // The choice is stored as code page 932 text: a path it cannot hold could not be used later.
        const bool storable = sjis::isEncodable(path);
        FOk->setEnabled(current.isValid() && storable);
        if (!storable) {
            FStatus->setText(
                QCoreApplication::translate("TNelFolderDialog", "このフォルダ名には使えない文字が含まれています"));
            FStatus->setVisible(true);
            return;
        }
        FStatus->setText(path);
        FStatus->setVisible(FShowPath);
    }

    void Place() {
        if (const std::optional<QPoint> position = FPlacement(frameGeometry().size()))
            move(*position);
    }

    bool FShowPath;
    Placement FPlacement;
    bool FPlacedWithFrame = false;
    QFileSystemModel* FModel = nullptr;
    QTreeView* FTree = nullptr;
    QLabel* FStatus = nullptr;
    QPushButton* FOk = nullptr;
};

} // namespace

TNelFolderDialog::TNelFolderDialog(QObject* owner)
    : QObject(owner), FDescription(DefaultDescription()), FTitle(DefaultTitle()) {}

QString TNelFolderDialog::DefaultDescription() {
    return QCoreApplication::translate("TNelFolderDialog", "フォルダを選択して下さい。");
}

QString TNelFolderDialog::DefaultTitle() {
    return QCoreApplication::translate("TNelFolderDialog", "フォルダの参照");
}

void TNelFolderDialog::SetDescription(const QString& value) {
    FDescription = value.isEmpty() ? DefaultDescription() : value;
}

void TNelFolderDialog::SetTitle(const QString& value) {
    FTitle = value.isEmpty() ? DefaultTitle() : value;
}

QWidget* TNelFolderDialog::ReferenceForm() const {
    if (auto* widget = qobject_cast<QWidget*>(parent()))
        return widget->window();
    return QApplication::activeWindow();
}

bool TNelFolderDialog::Execute() {
    FFolder = NormalizeFolder(FFolder);
    QWidget* const form = ReferenceForm();
    const auto placement = [this, form](QSize outer) -> std::optional<QPoint> {
        const QScreen* screen = QGuiApplication::primaryScreen();
        TFolderDialogPlace place;
        place.position = FDialogPos;
        if (form) {
            place.form = form->frameGeometry();
            place.formClientOrigin = form->mapToGlobal(QPoint(0, 0));
        }
        if (screen) {
            place.workArea = screen->availableGeometry();
            place.screen = screen->geometry().size();
        }
        place.dialog = outer;
        place.offsetX = FOffsetX;
        place.offsetY = FOffsetY;
        // Without a form the form's places have nothing to go by.
        if (!form && (FDialogPos == fdpCustom || FDialogPos == fdpOwnerFormCenter))
            return std::nullopt;
        return FolderDialogPosition(place);
    };
    TFolderBrowser browser(form, *this, placement);
    if (browser.exec() != QDialog::Accepted)
        return false;
    const QString chosen = browser.ChosenPath();
    FFolder = FAddPathDelim ? WithDelimiter(chosen) : chosen;
    return true;
}
