#include "core/templates/TemplateList.h"

#include <QTest>

class TestTemplateList : public QObject {
    Q_OBJECT
private slots:
    void defaultText() {
        QCOMPARE(DefaultTemplateText().size(), 258);
        const QList<QByteArray> list = SplitTemplateText(DefaultTemplateText());
        QCOMPARE(list.size(), 13);
        for (const QByteArray& entry : list)
            QCOMPARE(ExtractCaretMarker(entry).caret, std::optional<qsizetype>(11));
        QCOMPARE(list.first(), QByteArray("http://www.|.co.jp/"));
        QCOMPARE(list.last(), QByteArray("http://www.|.tv/"));
        QCOMPARE(TemplateListText(list), DefaultTemplateText());
    }

    void split_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<QByteArray>>("list");
        QTest::newRow("empty") << QByteArray() << QList<QByteArray>{};
        QTest::newRow("no final break") << QByteArray("a\r\nb") << QList<QByteArray>{"a", "b"};
        QTest::newRow("mixed breaks") << QByteArray("a\rb\nc\r\n") << QList<QByteArray>{"a", "b", "c"};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QList<QByteArray>{"", "", "x"};
        QTest::newRow("lf cr is two breaks") << QByteArray("a\n\rb") << QList<QByteArray>{"a", "", "b"};
    }
    void split() {
        QFETCH(QByteArray, text);
        QFETCH(QList<QByteArray>, list);
        QCOMPARE(SplitTemplateText(text), list);
    }

    void marker_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("caret");
        QTest::addColumn<QByteArray>("templ");
        QTest::newRow("at start") << QByteArray("abc") << qsizetype(0) << QByteArray("|abc");
        QTest::newRow("at end") << QByteArray("abc") << qsizetype(3) << QByteArray("abc|");
        QTest::newRow("empty") << QByteArray() << qsizetype(0) << QByteArray("|");
        QTest::newRow("middle") << QByteArray("http://www.qq.co.jp/") << qsizetype(13)
                                << QByteArray("http://www.qq|.co.jp/");
        QTest::newRow("after double byte") << QByteArray("\x83\x7cx") << qsizetype(2) << QByteArray("\x83\x7c|x");
    }
    void marker() {
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, caret);
        QFETCH(QByteArray, templ);
        QCOMPARE(InsertCaretMarker(text, caret), templ);
        const MarkerSplit split = ExtractCaretMarker(templ);
        QCOMPARE(split.text, text);
        QCOMPARE(split.caret, std::optional<qsizetype>(caret));
    }

    void extract_data() {
        QTest::addColumn<QByteArray>("templ");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("caret"); // -1: no marker
        QTest::newRow("no marker") << QByteArray("http://q/") << QByteArray("http://q/") << qsizetype(-1);
        QTest::newRow("po bar x") << QByteArray("\x83\x7c\x7cx") << QByteArray("\x83\x7cx") << qsizetype(2);
        QTest::newRow("second bar is text") << QByteArray("a|b|c") << QByteArray("ab|c") << qsizetype(1);
        QTest::newRow("only bar") << QByteArray("|") << QByteArray() << qsizetype(0);
        QTest::newRow("only a trail 0x7c") << QByteArray("\x83\x7c") << QByteArray("\x83\x7c") << qsizetype(-1);
    }
    void extract() {
        QFETCH(QByteArray, templ);
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, caret);
        const MarkerSplit split = ExtractCaretMarker(templ);
        QCOMPARE(split.text, text);
        QCOMPARE(split.caret.value_or(-1), caret);
    }
};

QTEST_APPLESS_MAIN(TestTemplateList)
#include "tst_templatelist.moc"
