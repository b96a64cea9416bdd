#include "core/text/CaretRules.h"

#include <QTest>

class TestCaretRules : public QObject {
    Q_OBJECT
private slots:
    void steps_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("caret");
        QTest::addColumn<qsizetype>("left");
        QTest::addColumn<qsizetype>("right");
        QTest::newRow("empty") << QByteArray() << qsizetype(0) << qsizetype(0) << qsizetype(0);
        QTest::newRow("ascii middle") << QByteArray("abc") << qsizetype(1) << qsizetype(0) << qsizetype(2);
        QTest::newRow("at start") << QByteArray("abc") << qsizetype(0) << qsizetype(0) << qsizetype(1);
        QTest::newRow("at end") << QByteArray("abc") << qsizetype(3) << qsizetype(2) << qsizetype(3);
        // ポ = 83 7C: its trail byte is the marker byte, yet it is stepped over whole.
        QTest::newRow("after po") << QByteArray("a\x83\x7c"
                                                "b")
                                  << qsizetype(3) << qsizetype(1) << qsizetype(4);
        QTest::newRow("before po") << QByteArray("a\x83\x7c"
                                                 "b")
                                   << qsizetype(1) << qsizetype(0) << qsizetype(3);
        // ソ = 83 5C: a trail byte that is a backslash.
        QTest::newRow("after so") << QByteArray("\x83\x5c") << qsizetype(2) << qsizetype(0) << qsizetype(2);
        // 81 81 is one character, so the third 81 is a single byte.
        QTest::newRow("lead-looking trail")
            << QByteArray("\x81\x81\x81") << qsizetype(3) << qsizetype(2) << qsizetype(3);
        QTest::newRow("lone lead at end") << QByteArray("a\x83") << qsizetype(1) << qsizetype(0) << qsizetype(2);
        QTest::newRow("inside a character stays")
            << QByteArray("\x83\x7c") << qsizetype(1) << qsizetype(1) << qsizetype(1);
        QTest::newRow("halfwidth kana single")
            << QByteArray("\xb1\xb2") << qsizetype(1) << qsizetype(0) << qsizetype(2);
        QTest::newRow("out of range") << QByteArray("ab") << qsizetype(5) << qsizetype(5) << qsizetype(5);
    }
    void steps() {
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, caret);
        QFETCH(qsizetype, left);
        QFETCH(qsizetype, right);
        QCOMPARE(FastLeftTarget(text, caret), left);
        QCOMPARE(FastRightTarget(text, caret), right);
    }
};

QTEST_APPLESS_MAIN(TestCaretRules)
#include "tst_caretrules.moc"
