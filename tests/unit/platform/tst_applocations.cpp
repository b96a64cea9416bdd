#include "platform/AppLocations.h"
#include "platform/DisplayServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestAppLocations : public QObject {
    Q_OBJECT
private slots:
    void settingsFolder_data() {
        QTest::addColumn<bool>("own");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<int>("beside");
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("folder");
        const QString bin = QStringLiteral("/opt/vel");
        const QString xdg = QStringLiteral("/x/cfg/Velmarinth");
        const int none = int(BesideFile::None);
        const int mine = int(BesideFile::Own);
        const int foreign = int(BesideFile::Foreign);
        const QString cfg = QStringLiteral("/x/cfg");
        QTest::newRow("own writable folder, portable") << true << true << none << cfg << bin;
        QTest::newRow("own file beside, read-only folder") << true << false << mine << cfg << bin;
        QTest::newRow("own file beside, writable folder") << true << true << mine << cfg << bin;
        QTest::newRow("installed") << true << false << none << cfg << xdg;
        QTest::newRow("planted file or link in an own folder") << true << true << foreign << cfg << xdg;
        QTest::newRow("planted file, read-only folder") << true << false << foreign << cfg << xdg;
        QTest::newRow("folder others may write, no file") << false << true << none << cfg << xdg;
        QTest::newRow("folder others may write, own file") << false << true << mine << cfg << xdg;
        QTest::newRow("config home trailing slash") << true << false << none << QStringLiteral("/x/cfg/") << xdg;
        QTest::newRow("config home unset")
            << true << false << none << QString() << QStringLiteral("/home/u/.config/Velmarinth");
        QTest::newRow("config home relative is ignored")
            << true << false << none << QStringLiteral("cfg") << QStringLiteral("/home/u/.config/Velmarinth");
    }
    void settingsFolder() {
        QFETCH(bool, own);
        QFETCH(bool, writable);
        QFETCH(int, beside);
        QFETCH(QString, configHome);
        QFETCH(QString, folder);
        QCOMPARE(ChooseSettingsFolder({QStringLiteral("/opt/vel"), own, writable, static_cast<BesideFile>(beside),
                                       configHome, QStringLiteral("/home/u")}),
                 folder);
    }

    void manualCandidates() {
        const QStringList expected{QStringLiteral("/usr/bin/Velmarinth.txt"),
                                   QStringLiteral("/usr/share/velmarinth/Velmarinth.txt"),
                                   QStringLiteral("/home/u/.local/share/velmarinth/Velmarinth.txt")};
        // The prefix's own data folder comes before the system's, and is not listed twice.
        QCOMPARE(ManualCandidates(QStringLiteral("/usr/bin"),
                                  {QStringLiteral("/home/u/.local/share"), QStringLiteral("/usr/share/")}),
                 QStringList({expected[0], expected[1], expected[2]}));
    }

    // Japanese is the program's own language: its manual has no language in its name.
    void manualFileName_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Japanese") << "ja"
                                  << "Velmarinth.txt";
        QTest::newRow("none chosen") << ""
                                     << "Velmarinth.txt";
        QTest::newRow("English") << "en"
                                 << "Velmarinth_en.txt";
        QTest::newRow("another") << "de"
                                 << "Velmarinth_de.txt";
    }
    void manualFileName() {
        QFETCH(QString, language);
        QFETCH(QString, expected);
        QCOMPARE(ManualFileName(language), expected);
        QCOMPARE(ManualCandidates(QStringLiteral("/opt/v/bin"), {}, ManualFileName(language)).first(),
                 QStringLiteral("/opt/v/bin/") + expected);
    }

    // A manual is taken only from a folder nobody else may fill; with none there, the first place is named.
    void firstManual_data() {
        QTest::addColumn<int>("besideMode"); // -1: no manual beside
        QTest::addColumn<int>("installedMode");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("beside, own folder") << 0755 << 0755 << "beside";
        QTest::newRow("beside, folder all may write") << 01777 << 0755 << "installed";
        QTest::newRow("beside, group may write") << 0775 << 0755 << "installed";
        QTest::newRow("none beside") << -1 << 0755 << "installed";
        QTest::newRow("no own folder holds one") << 0777 << 0757 << "beside";
    }
    void firstManual() {
        QFETCH(int, besideMode);
        QFETCH(int, installedMode);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        const QString beside = dir.filePath("bin/Velmarinth.txt");
        const QString installed = dir.filePath("share/velmarinth/Velmarinth.txt");
        for (const QString& file : {beside, installed}) {
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QFile manual(file);
            if (file != beside || besideMode >= 0)
                QVERIFY(manual.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::setPermissions(dir.path(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        QVERIFY(::chmod(QFile::encodeName(dir.filePath("bin")).constData(), besideMode < 0 ? 0755 : besideMode) == 0);
        QVERIFY(::chmod(QFile::encodeName(dir.filePath("share/velmarinth")).constData(), installedMode) == 0);
        QCOMPARE(FirstManual({beside, installed}), chosen == u"beside" ? beside : installed);
    }

    void platformRequest_data() {
        QTest::addColumn<QByteArray>("qpa");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("wayland session with xwayland") << QByteArray() << QByteArray(":0") << QByteArray("xcb");
        QTest::newRow("the user's choice stays") << QByteArray("wayland") << QByteArray(":0") << QByteArray();
        QTest::newRow("no x display") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("no x display, user's choice") << QByteArray("offscreen") << QByteArray() << QByteArray();
    }
    void platformRequest() {
        QFETCH(QByteArray, qpa);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, request);
        QCOMPARE(PlatformToRequest(qpa, display), request);
    }

    // The program's own request for xcb is taken back once the platform is chosen, so a browser it starts
    // sees what the user set, and only that ("<unset>": the variable is not there).
    void platformRequestForgotten_data() {
        QTest::addColumn<QByteArray>("given");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("whileStarting");
        QTest::addColumn<QByteArray>("afterwards");
        const QByteArray unset = "<unset>";
        QTest::newRow("xwayland chosen by the program") << unset << QByteArray(":0") << QByteArray("xcb") << unset;
        QTest::newRow("the user's xcb stays")
            << QByteArray("xcb") << QByteArray(":0") << QByteArray("xcb") << QByteArray("xcb");
        QTest::newRow("the user's wayland stays")
            << QByteArray("wayland") << QByteArray(":0") << QByteArray("wayland") << QByteArray("wayland");
        QTest::newRow("no x display, nothing set") << unset << unset << unset << unset;
    }
    void platformRequestForgotten() {
        QFETCH(QByteArray, given);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, whileStarting);
        QFETCH(QByteArray, afterwards);
        const QByteArray unset = "<unset>";
        const auto set = [&](const char* name, const QByteArray& value) {
            if (value == unset)
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        const auto value = [&] {
            return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? qgetenv("QT_QPA_PLATFORM") : unset;
        };
        set("QT_QPA_PLATFORM", given);
        set("DISPLAY", display);
        PreferX11Platform();
        QCOMPARE(value(), whileStarting);
        ForgetPlatformRequest();
        QCOMPARE(value(), afterwards);
        // A second call finds nothing of its own to take back.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        ForgetPlatformRequest();
        QCOMPARE(value(), QByteArray("offscreen"));
    }
};

QTEST_APPLESS_MAIN(TestAppLocations)
#include "tst_applocations.moc"
