#include "../../support/FakePlatform.h"
#include "../../support/NamedChild.h"
#include "core/settings/VelGlobals.h"
#include "gui/controls/Actions.h"
#include "gui/options/Option.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

struct TSettingsSnapshot {
    bool TopMost, ShowToolTip, SyncCapsLock, SaveURLBox, MinimizeAfterExe, RunWithCommandLine, UseDirectedBrowser;
    QByteArray DirectedBrowserPath;
    static TSettingsSnapshot Take() {
        namespace G = VelGlobals;
        return {G::TopMost,          G::ShowToolTip,        G::SyncCapsLock,       G::SaveURLBox,
                G::MinimizeAfterExe, G::RunWithCommandLine, G::UseDirectedBrowser, G::DirectedBrowserPath};
    }
    bool operator==(const TSettingsSnapshot&) const = default;
};

// The idle moment, when the dialog's actions look at its controls again.
void Idle(TfrmOption& dialog) {
    Named<TActionList>(&dialog, "ActionList1")->UpdateAll();
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
}

} // namespace

class TestOption : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    FakeShellOpen FShell;

    QString MakeFile(const QString& name, bool executable) {
        const QString path = FDir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                       : QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

private slots:
    void init() {
        VelGlobals::Reset();
        VelGlobals::ShowToolTip = true;
        VelGlobals::SaveURLBox = true;
    }

    // A chosen browser is taken only when it names a program that can start; Enter does nothing before.
    void okNeedsAStartableProgram_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("enabled");
        QDir(FDir.path()).mkpath(QStringLiteral("folder"));
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("missing file") << FDir.filePath(QStringLiteral("gone")) << false;
        QTest::newRow("folder") << FDir.filePath(QStringLiteral("folder")) << false;
        QTest::newRow("not executable") << MakeFile("notes.txt", false) << false;
        QTest::newRow("program") << MakeFile("browser", true) << true;
    }
    void okNeedsAStartableProgram() {
        QFETCH(QString, path);
        QFETCH(bool, enabled);
        TfrmOption dialog(nullptr, FShell, QString());
        dialog.show();
        Click(Named<QRadioButton>(&dialog, "rbUseDirectedBrowser"));
        auto* box = Named<QLineEdit>(&dialog, "edBrowserPath");
        QTest::keyClicks(box, path);
        Idle(dialog);
        QCOMPARE(Named<QPushButton>(&dialog, "btnOK")->isEnabled(), enabled);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(dialog.result(), enabled ? int(QDialog::Accepted) : 0);
        QCOMPARE(VelGlobals::UseDirectedBrowser, enabled);
        QCOMPARE(VelGlobals::DirectedBrowserPath, enabled ? path.toUtf8() : QByteArray());
    }

    void cancelChangesNothing_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("button") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }
    void cancelChangesNothing() {
        QFETCH(int, way);
        VelGlobals::TopMost = true;
        VelGlobals::SyncCapsLock = true;
        VelGlobals::RunWithCommandLine = true;
        VelGlobals::DirectedBrowserPath = "/old/browser";
        const TSettingsSnapshot before = TSettingsSnapshot::Take();
        TfrmOption dialog(nullptr, FShell, QString());
        dialog.show();
        for (const char* name : {"cbTopMost", "cbShowToolTip", "cbSyncCapsLock", "cbSaveURLBox", "cbMinimizeAfterExe",
                                 "cbRunWithCommandLine"})
            Click(Named<QCheckBox>(&dialog, name));
        Click(Named<QRadioButton>(&dialog, "rbUseDirectedBrowser"));
        Named<QLineEdit>(&dialog, "edBrowserPath")->setText(MakeFile("other", true));
        if (way == 0)
            Click(Named<QPushButton>(&dialog, "btnCansel"));
        else if (way == 1)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(TSettingsSnapshot::Take() == before);
    }

    // Greyed out under the chosen browser, the command-line box still holds and gives its check mark.
    void greyedCommandLineBoxIsStored() {
        VelGlobals::DirectedBrowserPath = MakeFile("browser", true).toUtf8();
        TfrmOption dialog(nullptr, FShell, QString());
        dialog.show();
        auto* commandLine = Named<QCheckBox>(&dialog, "cbRunWithCommandLine");
        Click(commandLine);
        Click(Named<QRadioButton>(&dialog, "rbUseDirectedBrowser"));
        QVERIFY(!commandLine->isEnabled());
        QVERIFY(commandLine->isChecked());
        Idle(dialog);
        Click(Named<QPushButton>(&dialog, "btnOK"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(VelGlobals::RunWithCommandLine);
        QVERIFY(VelGlobals::UseDirectedBrowser);
    }

    // "..." starts in the folder of the program the box names; a pick fills the box, a cancel leaves it.
    void selectBrowserStartsBesideTheProgram_data() {
        QTest::addColumn<bool>("pick");
        QTest::newRow("pick") << true;
        QTest::newRow("cancel") << false;
    }
    void selectBrowserStartsBesideTheProgram() {
        QFETCH(bool, pick);
        QDir(FDir.path()).mkpath(QStringLiteral("apps"));
        const QString current = MakeFile("apps/current", true);
        const QString other = MakeFile("apps/other", true);
        VelGlobals::UseDirectedBrowser = true;
        VelGlobals::DirectedBrowserPath = current.toUtf8();
        TfrmOption dialog(nullptr, FShell, QString());
        dialog.show();
        QString startFolder;
        QTimer::singleShot(0, &dialog, [&] {
            auto* files = Named<QFileDialog>(&dialog, "OpenDialog");
            startFolder = files->directory().absolutePath();
            if (pick) {
                files->selectFile(other);
                QMetaObject::invokeMethod(files, "accept");
            } else {
                files->reject();
            }
        });
        Click(Named<QPushButton>(&dialog, "btnSelectBrowser"));
        QCOMPARE(startFolder, FDir.filePath(QStringLiteral("apps")));
        QCOMPARE(Named<QLineEdit>(&dialog, "edBrowserPath")->text(), pick ? other : current);
    }

    // A chosen program that was deleted: the default browser is offered and the stale path stays in view.
    void deletedBrowserOpensWithTheDefault() {
        VelGlobals::UseDirectedBrowser = true;
        VelGlobals::DirectedBrowserPath = FDir.filePath(QStringLiteral("deleted")).toUtf8();
        TfrmOption dialog(nullptr, FShell, QString());
        dialog.show();
        QVERIFY(Named<QRadioButton>(&dialog, "rbUseDefaultBrowser")->isChecked());
        auto* box = Named<QLineEdit>(&dialog, "edBrowserPath");
        QCOMPARE(box->text().toUtf8(), VelGlobals::DirectedBrowserPath);
        QVERIFY(!box->isEnabled());
        QVERIFY(Named<QCheckBox>(&dialog, "cbRunWithCommandLine")->isEnabled());
        Idle(dialog);
        Click(Named<QPushButton>(&dialog, "btnOK"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!VelGlobals::UseDirectedBrowser);
        QCOMPARE(VelGlobals::DirectedBrowserPath, FDir.filePath(QStringLiteral("deleted")).toUtf8());
    }

    // Each check box shows its own setting at opening and gives its own setting on OK.
    void eachBoxHasItsOwnSetting_data() {
        QTest::addColumn<QString>("box");
        for (const char* box : {"cbTopMost", "cbShowToolTip", "cbSyncCapsLock", "cbSaveURLBox", "cbMinimizeAfterExe",
                                "cbRunWithCommandLine"})
            QTest::newRow(box) << QString::fromLatin1(box);
    }
    void eachBoxHasItsOwnSetting() {
        QFETCH(QString, box);
        namespace G = VelGlobals;
        const QList<std::pair<QString, bool*>> settings{{"cbTopMost", &G::TopMost},
                                                        {"cbShowToolTip", &G::ShowToolTip},
                                                        {"cbSyncCapsLock", &G::SyncCapsLock},
                                                        {"cbSaveURLBox", &G::SaveURLBox},
                                                        {"cbMinimizeAfterExe", &G::MinimizeAfterExe},
                                                        {"cbRunWithCommandLine", &G::RunWithCommandLine}};
        for (const auto& [name, setting] : settings)
            *setting = name == box;
        TfrmOption dialog(nullptr, FShell, QString());
        dialog.show();
        for (const auto& [name, setting] : settings)
            QVERIFY2(Named<QCheckBox>(&dialog, name)->isChecked() == (name == box), qPrintable(name));
        // Every box turned over: the one setting goes off, all the others on.
        for (const auto& [name, setting] : settings)
            Click(Named<QCheckBox>(&dialog, name));
        Idle(dialog);
        Click(Named<QPushButton>(&dialog, "btnOK"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        for (const auto& [name, setting] : settings)
            QVERIFY2(*setting == (name != box), qPrintable(name));
    }

    // The path is written whichever browser is chosen: one the settings file cannot hold keeps OK disabled
    // with either.
    void pathMustBeStorable_data() {
        QTest::addColumn<bool>("directed");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("enabled");
        const QString unheld = QString::fromUtf8("br\U0001F600wser");
        QTest::newRow("default browser, a path it can hold") << false << FDir.filePath("gone") << true;
        QTest::newRow("default browser, a path it cannot hold") << false << FDir.filePath(unheld) << false;
        QTest::newRow("chosen browser, a program it can hold") << true << MakeFile("browser", true) << true;
        QTest::newRow("chosen browser, a program it cannot hold") << true << MakeFile(unheld, true) << false;
    }
    void pathMustBeStorable() {
        QFETCH(bool, directed);
        QFETCH(QString, path);
        QFETCH(bool, enabled);
        const TSettingsSnapshot before = TSettingsSnapshot::Take();
        TfrmOption dialog(nullptr, FShell, QString());
        dialog.show();
        Click(Named<QRadioButton>(&dialog, directed ? "rbUseDirectedBrowser" : "rbUseDefaultBrowser"));
        Named<QLineEdit>(&dialog, "edBrowserPath")->setText(path);
        Idle(dialog);
        QCOMPARE(Named<QPushButton>(&dialog, "btnOK")->isEnabled(), enabled);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), enabled ? int(QDialog::Accepted) : 0);
        if (enabled)
            QCOMPARE(QString::fromUtf8(VelGlobals::DirectedBrowserPath), path);
        else
            QVERIFY(TSettingsSnapshot::Take() == before);
    }

    // OK follows the disk while the dialog is open, with nothing typed and the focus where it was.
    void okFollowsTheDisk_data() {
        QTest::addColumn<QString>("path");   // under the temporary folder
        QTest::addColumn<QString>("before"); // "", "plain" or "program": what is there when the path is typed
        QTest::addColumn<QString>("after");  // what is there then
        QTest::addColumn<bool>("enabled");   // OK afterwards
        QTest::newRow("program installed") << "disk/browser"
                                           << ""
                                           << "program" << true;
        QTest::newRow("made executable") << "disk/browser"
                                         << "plain"
                                         << "program" << true;
        QTest::newRow("installed in a new folder") << "disk/new/bin/browser"
                                                   << ""
                                                   << "program" << true;
        QTest::newRow("no longer executable") << "disk/browser"
                                              << "program"
                                              << "plain" << false;
        QTest::newRow("program removed") << "disk/browser"
                                         << "program"
                                         << "" << false;
    }
    void okFollowsTheDisk() {
        QFETCH(QString, path);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, enabled);
        QDir(FDir.filePath(QStringLiteral("disk"))).removeRecursively();
        QVERIFY(QDir(FDir.path()).mkpath(QStringLiteral("disk")));
        const QString file = FDir.filePath(path);
        const auto put = [&](const QString& what) {
            if (what.isEmpty()) {
                QFile::remove(file);
                return;
            }
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\n");
            f.close();
            f.setPermissions(what == QLatin1String("program") ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                              : QFile::ReadOwner | QFile::WriteOwner);
        };
        put(before);
        TfrmOption dialog(nullptr, FShell, QString());
        dialog.show();
        // Activated before the disk changes: the change itself must be what OK follows.
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Click(Named<QRadioButton>(&dialog, "rbUseDirectedBrowser"));
        auto* box = Named<QLineEdit>(&dialog, "edBrowserPath");
        QTest::keyClicks(box, file);
        auto* ok = Named<QPushButton>(&dialog, "btnOK");
        Idle(dialog);
        QCOMPARE(ok->isEnabled(), before == QLatin1String("program"));
        QWidget* focused = dialog.focusWidget();

        put(after);
        QTRY_COMPARE_WITH_TIMEOUT((Idle(dialog), ok->isEnabled()), enabled, 5000);
        // Still so a moment later: nothing else is on its way.
        QTest::qWait(200);
        Idle(dialog);
        QCOMPARE(ok->isEnabled(), enabled);
        QCOMPARE(box->text(), file);
        QCOMPARE(dialog.focusWidget(), focused);
    }

    // The panel never keeps the focus: it hands it to the first control that takes one.
    void panelHandsFocusOn() {
        TfrmOption dialog(nullptr, FShell, QString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Named<QFrame>(&dialog, "pnlOption")->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(dialog.focusWidget(), Named<QCheckBox>(&dialog, "cbTopMost"));
    }
};

QTEST_MAIN(TestOption)
#include "tst_option.moc"
