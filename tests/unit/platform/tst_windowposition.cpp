#include "platform/WindowPosition.h"

#include <QTest>

// Which platform plugins can tell where the window is.
class TestWindowPosition : public QObject {
    Q_OBJECT
private slots:
    void platformTellsWindowPosition_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("tells");
        QTest::newRow("xcb") << QStringLiteral("xcb") << true;
        QTest::newRow("offscreen") << QStringLiteral("offscreen") << true;
        QTest::newRow("wayland") << QStringLiteral("wayland") << false;
        QTest::newRow("wayland-egl") << QStringLiteral("wayland-egl") << false;
        QTest::newRow("a name holding wayland later") << QStringLiteral("notwayland") << true;
    }
    void platformTellsWindowPosition() {
        QFETCH(QString, platform);
        QFETCH(bool, tells);
        QCOMPARE(PlatformTellsWindowPosition(platform), tells);
    }
};

QTEST_GUILESS_MAIN(TestWindowPosition)
#include "tst_windowposition.moc"
