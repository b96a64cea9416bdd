#include "platform/AppLocations.h"
#include "platform/DisplayServer.h"

#include <QTest>

class TestAppLocations : public QObject {
    Q_OBJECT
private slots:
    void settingsFolder_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("folder");
        const QString bin = QStringLiteral("/opt/vel");
        QTest::newRow("writable folder, portable") << true << false << QStringLiteral("/x/cfg") << bin;
        QTest::newRow("settings already beside, read-only") << false << true << QStringLiteral("/x/cfg") << bin;
        QTest::newRow("installed") << false << false << QStringLiteral("/x/cfg") << QStringLiteral("/x/cfg/Velmarinth");
        QTest::newRow("config home trailing slash")
            << false << false << QStringLiteral("/x/cfg/") << QStringLiteral("/x/cfg/Velmarinth");
        QTest::newRow("config home unset")
            << false << false << QString() << QStringLiteral("/home/u/.config/Velmarinth");
        QTest::newRow("config home relative is ignored")
            << false << false << QStringLiteral("cfg") << QStringLiteral("/home/u/.config/Velmarinth");
    }
    void settingsFolder() {
        QFETCH(bool, writable);
        QFETCH(bool, present);
        QFETCH(QString, configHome);
        QFETCH(QString, folder);
        QCOMPARE(ChooseSettingsFolder(
                     {QStringLiteral("/opt/vel"), writable, present, configHome, QStringLiteral("/home/u")}),
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
};

QTEST_APPLESS_MAIN(TestAppLocations)
#include "tst_applocations.moc"
