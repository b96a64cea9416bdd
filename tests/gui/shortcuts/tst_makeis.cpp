#include "../../support/FakePlatform.h"
#include "../../support/FakeXdgTree.h"
#include "../../support/NamedChild.h"
#include "core/settings/VelGlobals.h"
#include "gui/controls/Actions.h"
#include "gui/shortcuts/MakeIS.h"
#include "gui/shortcuts/NelFolderDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

namespace {

const QByteArray kUrl = "http://www.example.co.jp/";
const QByteArray kMissing = "<missing>";

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : kMissing;
}

// What the user does in the folder dialog once it is open: "" cancels, else the folder chosen with OK.
struct TFolderAnswer {
    QString choose;
    QString preselected; // the folder that was current when the dialog opened
    bool opened = false;
};

// Answers the folder dialog as soon as it is the modal window.
void AnswerFolderDialog(TFolderAnswer& answer) {
    QTimer::singleShot(10, qApp, [&answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String("NelFolderDialog"))
            return AnswerFolderDialog(answer);
        answer.opened = true;
        auto* tree = Named<QTreeView>(modal, "tvFolders");
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        answer.preselected = tree->currentIndex().isValid() ? model->filePath(tree->currentIndex()) : QString();
        if (answer.choose.isEmpty())
            return Named<QPushButton>(modal, "btnCancel")->click();
        tree->setCurrentIndex(model->index(answer.choose));
        Named<QPushButton>(modal, "btnOK")->click();
    });
}

} // namespace

class TestMakeIS : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    FakeSpecialFolders FFolders;
    QStringList FErrors;

    QString Desktop() const { return FDir.filePath(QStringLiteral("Desktop/")); }
    QString Chosen() const { return FDir.filePath(QStringLiteral("chosen")); }

    std::unique_ptr<TfrmMakeIS> Open() {
        auto dialog = std::make_unique<TfrmMakeIS>(
            nullptr, [] { return kUrl; }, [this](QWidget*, const QString& message) { FErrors << message; });
        dialog->show();
        return dialog;
    }

    static void Idle(TfrmMakeIS& dialog) { Named<TActionList>(&dialog, "ActionList1")->UpdateAll(); }

    static int CheckedPlace(TfrmMakeIS& dialog) {
        for (int i = 0; i < 3; ++i) {
            if (Named<QRadioButton>(&dialog, QStringLiteral("rgPlace%1").arg(i))->isChecked())
                return i;
        }
        return -1;
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir(FDir.path()).mkpath(QStringLiteral("Desktop")));
        QVERIFY(QDir(FDir.path()).mkpath(QStringLiteral("Favorites")));
        QVERIFY(QDir(FDir.path()).mkpath(QStringLiteral("chosen")));
        FFolders.desktop = Desktop();
        FFolders.favorites = FDir.filePath(QStringLiteral("Favorites/"));
        TfrmMakeIS::SpecialFolders = &FFolders;
    }
    void init() {
        VelGlobals::Reset();
        FErrors.clear();
    }

    // The stored place selects a radio item; out-of-range values are pulled in.
    void placeOnOpening_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("checked");
        QTest::newRow("-5 selects none") << -5 << -1;
        QTest::newRow("-2 selects none") << -2 << -1;
        QTest::newRow("-1 selects none") << -1 << -1;
        QTest::newRow("0 desktop") << 0 << 0;
        QTest::newRow("2 chosen folder") << 2 << 2;
        QTest::newRow("1 favorites") << 1 << 1;
        QTest::newRow("3 chosen folder") << 3 << 2;
        QTest::newRow("7 chosen folder") << 7 << 2;
    }
    void placeOnOpening() {
        QFETCH(int, stored);
        QFETCH(int, checked);
        VelGlobals::TargetFolderIndex = stored;
        auto dialog = Open();
        QCOMPARE(CheckedPlace(*dialog), checked);
        QCOMPARE(VelGlobals::TargetFolderIndex, stored);
    }

    // "作成" follows the name box: any text, blanks too, enables it.
    void makeEnabled_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blank") << QStringLiteral(" ") << true;
        QTest::newRow("name") << QStringLiteral("a") << true;
    }
    void makeEnabled() {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        auto dialog = Open();
        Named<QLineEdit>(dialog, "edFileName")->setText(name);
        Idle(*dialog);
        QCOMPARE(Named<QPushButton>(dialog, "btnMake")->isEnabled(), enabled);
    }

    // What one press of "作成" leaves behind: the file, the dialog, the settings, the error shown.
    void make_data() {
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("choose"); // in the folder dialog; "" cancels it
        QTest::addColumn<QString>("file");   // under the temporary folder
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("index"); // TargetFolderIndex afterwards
        QTest::addColumn<QString>("targetFolder");
        QTest::addColumn<QString>("error"); // under the temporary folder, "" for none
        const QString ok;
        QTest::newRow("desktop") << 0 << "a" << ok << "Desktop/a.url" << true << 0 << ok << ok;
        QTest::newRow("blanks kept") << 0 << " b " << ok << "Desktop/ b .url" << true << 0 << ok << ok;
        QTest::newRow("favorites") << 1 << "b" << ok << "Favorites/b.url" << true << 1 << ok << ok;
        QTest::newRow(".url twice") << 0 << "c.url" << ok << "Desktop/c.url.url" << true << 0 << ok << ok;
        QTest::newRow("chosen folder") << 2 << "d"
                                       << "chosen"
                                       << "chosen/d.url" << true << 2 << "chosen/" << ok;
        QTest::newRow("folder dialog cancelled") << 2 << "e" << ok << "chosen/e.url" << false << 5 << ok << ok;
        QTest::newRow("missing subfolder")
            << 0 << "nosuch/x" << ok << "Desktop/nosuch/x.url" << false << 5 << ok << "Desktop/nosuch/x.url";
        QTest::newRow("failure keeps the chosen folder") << 2 << "nosuch/y"
                                                         << "chosen"
                                                         << "chosen/nosuch/y.url" << false << 5 << "chosen/"
                                                         << "chosen/nosuch/y.url";
        QTest::newRow("name the code page cannot hold")
            << 0 << QString::fromUtf8("f\U0001F600") << ok << QString::fromUtf8("Desktop/f\U0001F600.url") << false << 5
            << ok << QString::fromUtf8("Desktop/f\U0001F600.url");
    }
    void make() {
        QFETCH(int, place);
        QFETCH(QString, name);
        QFETCH(QString, choose);
        QFETCH(QString, file);
        QFETCH(bool, closed);
        QFETCH(int, index);
        QFETCH(QString, targetFolder);
        QFETCH(QString, error);
        VelGlobals::TargetFolderIndex = 5; // shows as the chosen folder; only a success replaces it
        auto dialog = Open();
        Named<QRadioButton>(dialog, QStringLiteral("rgPlace%1").arg(place))->setChecked(true);
        Named<QLineEdit>(dialog, "edFileName")->setText(name);
        TFolderAnswer answer;
        answer.choose = choose.isEmpty() ? QString() : FDir.filePath(choose);
        if (place == 2)
            AnswerFolderDialog(answer);
        Idle(*dialog);
        QTest::mouseClick(Named<QPushButton>(dialog, "btnMake"), Qt::LeftButton);

        QCOMPARE(answer.opened, place == 2);
        const QString path = FDir.filePath(file);
        QCOMPARE(ReadFile(path), closed ? "[InternetShortcut]\r\nURL=" + kUrl + "\r\n" : kMissing);
        QFile::remove(path);
        QCOMPARE(!dialog->isVisible(), closed);
        QCOMPARE(VelGlobals::TargetFolderIndex, index);
        QCOMPARE(VelGlobals::TargetFolder,
                 targetFolder.isEmpty() ? QByteArray() : FDir.filePath(targetFolder).toUtf8());
        const QStringList errors = error.isEmpty()
                                       ? QStringList()
                                       : QStringList{FDir.filePath(error) + QString::fromUtf8(" に書き込めません")};
        QCOMPARE(FErrors, errors);
    }

    void cancelWritesNothing() {
        auto dialog = Open();
        Named<QLineEdit>(dialog, "edFileName")->setText(QStringLiteral("a"));
        QTest::mouseClick(Named<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(QDir(Desktop()).entryList(QDir::Files), QStringList());
        QCOMPARE(VelGlobals::TargetFolderIndex, 0);
    }

    // The folder dialog opens on what TargetFolder names, normalised; cancelled, it keeps that.
    void folderDialogStart_data() {
        QTest::addColumn<QString>("stored"); // under the temporary folder
        QTest::addColumn<QString>("folder"); // the folder dialog's Folder after cancelling
        QTest::addColumn<QString>("preselected");
        const QString chosen = FDir.filePath(QStringLiteral("chosen"));
        QTest::newRow("folder") << QStringLiteral("chosen/") << QStringLiteral("chosen/") << chosen;
        QTest::newRow("file: its folder") << QStringLiteral("chosen/file.txt") << QStringLiteral("chosen/") << chosen;
        // Nothing preselected: the tree's own first choice, nothing under the temporary folder.
        QTest::newRow("deleted folder: empty") << QStringLiteral("gone/") << QString() << QString();
    }
    void folderDialogStart() {
        QFETCH(QString, stored);
        QFETCH(QString, folder);
        QFETCH(QString, preselected);
        QFile touch(FDir.filePath(QStringLiteral("chosen/file.txt")));
        QVERIFY(touch.open(QIODevice::WriteOnly));
        touch.close();
        VelGlobals::TargetFolderIndex = 2;
        VelGlobals::TargetFolder = FDir.filePath(stored).toUtf8();
        auto dialog = Open();
        Named<QLineEdit>(dialog, "edFileName")->setText(QStringLiteral("a"));
        TFolderAnswer answer;
        AnswerFolderDialog(answer);
        Idle(*dialog);
        QTest::mouseClick(Named<QPushButton>(dialog, "btnMake"), Qt::LeftButton);
        QVERIFY(answer.opened);
        if (preselected.isEmpty())
            QVERIFY2(!answer.preselected.startsWith(FDir.path()), qPrintable(answer.preselected));
        else
            QCOMPARE(answer.preselected, preselected);
        const QString expected = folder.isEmpty() ? QString() : FDir.filePath(folder);
        QCOMPARE(dialog->findChild<TNelFolderDialog*>(QStringLiteral("NelFolderDialog1"))->Folder(), expected);
        QCOMPARE(VelGlobals::TargetFolder, FDir.filePath(stored).toUtf8());
        QVERIFY(dialog->isVisible());
    }

    // The desktop's folders: the XDG desktop directory and Favorites in the home folder, with a "/"; empty
    // while missing, and never made. Where they belong is known also while they are missing: what a failed
    // write names.
    void specialFolders_data() {
        QTest::addColumn<QString>("desktopDir"); // as user-dirs.dirs names it
        QTest::addColumn<bool>("exist");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("favorites");
        const QString home = FDir.filePath(QStringLiteral("home"));
        QTest::newRow("named desktop") << "$HOME/Schreibtisch" << true << home + "/Schreibtisch/"
                                       << home + "/Favorites/";
        QTest::newRow("missing folders") << "$HOME/Schreibtisch" << false << QString() << QString();
    }
    void specialFolders() {
        QFETCH(QString, desktopDir);
        QFETCH(bool, exist);
        QFETCH(QString, desktop);
        QFETCH(QString, favorites);
        const QString home = FDir.filePath(QStringLiteral("home"));
        QDir(home).removeRecursively();
        QVERIFY(QDir().mkpath(home + "/.config"));
        QFile dirs(home + "/.config/user-dirs.dirs");
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_DESKTOP_DIR=\"" + desktopDir.toUtf8() + "\"\n");
        dirs.close();
        if (exist) {
            QVERIFY(QDir(home).mkpath(QStringLiteral("Schreibtisch")));
            QVERIFY(QDir(home).mkpath(QStringLiteral("Favorites")));
        }
        FakeXdgTree::EnvironmentGuard environment;
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
        QCOMPARE(DesktopSpecialFolders().GetDesktopFolder(), desktop);
        QCOMPARE(DesktopSpecialFolders().GetFavoritesFolder(), favorites);
        QCOMPARE(DesktopSpecialFolders().DesktopPlace(), home + "/Schreibtisch/");
        QCOMPARE(DesktopSpecialFolders().FavoritesPlace(), home + "/Favorites/");
        QCOMPARE(QFileInfo::exists(home + "/Schreibtisch"), exist);
        QCOMPARE(QFileInfo::exists(home + "/Favorites"), exist);
    }

    // A shortcut whose folder is missing or unknown is never written anywhere else: the write error names the
    // place it was meant for (the bare name when there is none), and the dialog stays open.
    void neverWrittenElsewhere_data() {
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("desktop"); // as the desktop gives it; "@" is the temporary folder
        QTest::addColumn<QString>("favorites");
        QTest::addColumn<QString>("error");
        const QString desktop = QStringLiteral("@/Desktop/"), favorites = QStringLiteral("@/Favorites/");
        QTest::newRow("missing Favorites") << 1 << desktop << QString() << "@/NoFavorites/x.url";
        QTest::newRow("missing Desktop") << 0 << QString() << favorites << "@/NoDesktop/x.url";
        QTest::newRow("no place known") << 1 << desktop << "-"
                                        << "x.url";
        QTest::newRow("no place chosen") << -1 << desktop << favorites << "x.url";
    }
    void neverWrittenElsewhere() {
        QFETCH(int, place);
        QFETCH(QString, desktop);
        QFETCH(QString, favorites);
        QFETCH(QString, error);
        const auto inDir = [this](QString text) { return text.replace(u'@', FDir.path()); };
        const FakeSpecialFolders saved = FFolders;
        FFolders.desktop = inDir(desktop);
        FFolders.favorites = favorites == QLatin1String("-") ? QString() : inDir(favorites);
        FFolders.desktopPlace = inDir(QStringLiteral("@/NoDesktop/"));
        FFolders.favoritesPlace = favorites == QLatin1String("-") ? QString() : inDir(QStringLiteral("@/NoFavorites/"));
        QTemporaryDir working;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(working.path()));
        VelGlobals::TargetFolderIndex = place;
        auto dialog = Open();
        Named<QLineEdit>(dialog, "edFileName")->setText(QStringLiteral("x"));
        Idle(*dialog);
        QTest::mouseClick(Named<QPushButton>(dialog, "btnMake"), Qt::LeftButton);
        QDir::setCurrent(before);
        FFolders = saved;

        QCOMPARE(FErrors, QStringList{inDir(error) + QString::fromUtf8(" に書き込めません")});
        QVERIFY(dialog->isVisible());
        QCOMPARE(VelGlobals::TargetFolderIndex, place);
        QCOMPARE(QDir(working.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QVERIFY(!QFileInfo::exists(FDir.filePath(QStringLiteral("NoFavorites"))));
        QVERIFY(!QFileInfo::exists(FDir.filePath(QStringLiteral("NoDesktop"))));
    }

    // The label shows its whole text, ")" included, in the font at hand, and stays inside the panel.
    void labelShowsItsWholeText() {
        auto dialog = Open();
        auto* label = Named<QLabel>(dialog, "Label1");
        QCOMPARE(label->text(), QString::fromUtf8("ファイル名を入力してください。(&N)"));
        QCOMPARE(label->pos(), QPoint(14, 16));
        QVERIFY2(label->width() >= label->sizeHint().width(),
                 qPrintable(QStringLiteral("%1 < %2").arg(label->width()).arg(label->sizeHint().width())));
        QVERIFY2(label->height() >= label->sizeHint().height(),
                 qPrintable(QStringLiteral("%1 < %2").arg(label->height()).arg(label->sizeHint().height())));
        QVERIFY(Named<QFrame>(dialog, "pnlMakeIS")->rect().contains(label->geometry()));
    }

    // Over the owner by both whole windows (the offscreen platform's frame is 2 pixels each side): the dialog's
    // 268 × 228 over an owner whose frame is at 100, 80; the halves round toward zero.
    void centredOverTheOwner_data() {
        QTest::addColumn<QRect>("owner"); // the owner's client area
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("odd room, halves round down") << QRect(102, 82, 401, 251) << QPoint(168, 93);
        QTest::newRow("one pixel less, even room") << QRect(102, 82, 400, 250) << QPoint(168, 93);
        QTest::newRow("one pixel more, even room") << QRect(102, 82, 402, 252) << QPoint(169, 94);
    }
    void centredOverTheOwner() {
        QFETCH(QRect, owner);
        QFETCH(QPoint, expected);
        QWidget window;
        window.setGeometry(owner);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TfrmMakeIS dialog(&window, [] { return kUrl; }, {});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_COMPARE(dialog.frameGeometry(), QRect(expected, QSize(268, 228)));
    }

    // What the open folder dialog shows above its tree and as its caption: an empty text brings back the
    // default, any other is shown as it is.
    void folderDialogTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("title");
        QTest::newRow("empty") << QString() << QString::fromUtf8("フォルダを選択して下さい。")
                               << QString::fromUtf8("フォルダの参照");
        QTest::newRow("own") << QStringLiteral("x") << QStringLiteral("x") << QStringLiteral("x");
    }
    void folderDialogTexts() {
        QFETCH(QString, text);
        QFETCH(QString, description);
        QFETCH(QString, title);
        TNelFolderDialog dialog(nullptr);
        dialog.SetDescription(QStringLiteral("other"));
        dialog.SetTitle(QStringLiteral("other"));
        dialog.SetDescription(text);
        dialog.SetTitle(text);
        QString seenDescription, seenCaption;
        QTimer::singleShot(10, qApp, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            seenCaption = modal->windowTitle();
            seenDescription = Named<QLabel>(modal, "lblDescription")->text();
            Named<QPushButton>(modal, "btnCancel")->click();
        });
        QVERIFY(!dialog.Execute());
        QCOMPARE(seenDescription, description);
        QCOMPARE(seenCaption, title);
    }

    // The root folder chosen in the folder dialog is stored as "/", with no second delimiter.
    void rootFolderStoredWithOneDelimiter() {
        VelGlobals::TargetFolderIndex = 2;
        auto dialog = Open();
        Named<QLineEdit>(dialog, "edFileName")->setText(QStringLiteral("nosuch/r"));
        TFolderAnswer answer;
        answer.choose = QStringLiteral("/");
        AnswerFolderDialog(answer);
        Idle(*dialog);
        QTest::mouseClick(Named<QPushButton>(dialog, "btnMake"), Qt::LeftButton);
        QVERIFY(answer.opened);
        QCOMPARE(dialog->findChild<TNelFolderDialog*>(QStringLiteral("NelFolderDialog1"))->Folder(),
                 QStringLiteral("/"));
        QCOMPARE(VelGlobals::TargetFolder, QByteArray("/"));
        QCOMPARE(FErrors, QStringList{QString::fromUtf8("/nosuch/r.url に書き込めません")});
    }

    // What the open folder dialog shows: its caption, the status line, and whether OK can confirm.
    void folderDialogShows_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("showPath");
        QTest::addColumn<QString>("folder"); // preselected, made under the temporary folder
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("status"); // "=" for the folder's path; "" for no status line
        QTest::addColumn<bool>("confirmable");
        const QString browse = QString::fromUtf8("フォルダの参照");
        QTest::newRow("default caption, path shown") << browse << true << "chosen" << browse << "=" << true;
        QTest::newRow("own caption, no path") << "Pick" << false << "chosen"
                                              << "Pick"
                                              << "" << true;
        QTest::newRow("name the code page cannot hold")
            << browse << false << QString::fromUtf8("\u00e9t\u00e9") << browse
            << QString::fromUtf8("このフォルダ名には使えない文字が含まれています") << false;
    }
    void folderDialogShows() {
        QFETCH(QString, title);
        QFETCH(bool, showPath);
        QFETCH(QString, folder);
        QFETCH(QString, caption);
        QFETCH(QString, status);
        QFETCH(bool, confirmable);
        const QString path = FDir.filePath(folder);
        QVERIFY(QDir().mkpath(path));
        TNelFolderDialog dialog(nullptr);
        dialog.SetTitle(title);
        dialog.SetShowPath(showPath);
        dialog.SetFolder(path);
        QString seenCaption, seenStatus;
        bool seenConfirmable = false;
        QTimer::singleShot(10, qApp, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            seenCaption = modal->windowTitle();
            auto* line = Named<QLabel>(modal, "lblStatus");
            seenStatus = line->isVisibleTo(modal) ? line->text() : QString();
            seenConfirmable = Named<QPushButton>(modal, "btnOK")->isEnabled();
            Named<QPushButton>(modal, "btnCancel")->click();
        });
        QVERIFY(!dialog.Execute());
        QCOMPARE(seenCaption, caption);
        QCOMPARE(seenStatus, status == QLatin1String("=") ? path : status);
        QCOMPARE(seenConfirmable, confirmable);
    }
};

QTEST_MAIN(TestMakeIS)
#include "tst_makeis.moc"
