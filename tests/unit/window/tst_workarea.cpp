#include "core/messages/ErrorReport.h"
#include "core/window/WorkArea.h"

#include <QTest>

class TestWorkArea : public QObject {
    Q_OBJECT
private slots:
    void fit_data() {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QPoint>("fitted");
        // Work area: x 0..1023, y 20..739 (a panel above and below).
        QTest::newRow("inside stays") << QRect(100, 100, 400, 250) << QPoint(100, 100);
        QTest::newRow("far left and far below") << QRect(-5000, 20000, 400, 250) << QPoint(0, 490);
        QTest::newRow("over the right edge") << QRect(900, 100, 400, 250) << QPoint(624, 100);
        QTest::newRow("above the top") << QRect(10, 0, 400, 250) << QPoint(10, 20);
        QTest::newRow("exactly at the edges") << QRect(624, 490, 400, 250) << QPoint(624, 490);
        // Wider and higher than the work area: aligned with its right and bottom edges.
        QTest::newRow("larger than the work area") << QRect(50, 50, 1100, 800) << QPoint(-76, -60);
    }
    void fit() {
        QFETCH(QRect, window);
        QFETCH(QPoint, fitted);
        QCOMPARE(FitToWorkArea(window, QRect(0, 20, 1024, 720)), fitted);
    }

    void centred_data() {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("centred");
        QTest::newRow("odd remainder") << QSize(401, 251) << QRect(0, 0, 1024, 768) << QPoint(311, 258);
        // Division truncates toward zero when the window is larger than the screen.
        QTest::newRow("larger than the screen") << QSize(1025, 771) << QRect(0, 0, 1024, 768) << QPoint(0, -1);
        QTest::newRow("primary screen right of another")
            << QSize(400, 250) << QRect(1280, 0, 1024, 768) << QPoint(1592, 259);
        QTest::newRow("primary screen left of and above another")
            << QSize(400, 250) << QRect(-1024, -200, 1024, 768) << QPoint(-712, 59);
    }
    void centred() {
        QFETCH(QSize, window);
        QFETCH(QRect, screen);
        QFETCH(QPoint, centred);
        QCOMPARE(CentredPosition(window, screen), centred);
    }

    void errorText_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("japanese ends after dot")
            << QString::fromUtf8("ファイル x を作成できません") << QString::fromUtf8("ファイル x を作成できません.");
        QTest::newRow("letter") << "abc"
                                << "abc.";
        QTest::newRow("already a dot") << "abc."
                                       << "abc.";
        QTest::newRow("bang sorts before dot") << "abc!"
                                               << "abc!";
        QTest::newRow("slash sorts after dot") << "a/"
                                               << "a/.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void errorText() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(ErrorReportText(message), shown);
    }
};

QTEST_APPLESS_MAIN(TestWorkArea)
#include "tst_workarea.moc"
