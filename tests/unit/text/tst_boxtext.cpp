#include "core/text/BoxText.h"

#include <QTest>

class TestBoxText : public QObject {
    Q_OBJECT
private slots:
    void firstLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("no end") << "ab"
                                << "ab";
        QTest::newRow("CR LF") << "a\r\nb"
                               << "a";
        QTest::newRow("lone CR") << "a\rb"
                                 << "a";
        QTest::newRow("lone LF first") << "\nb"
                                       << "";
        QTest::newRow("NUL") << QString("a") + QChar(0) + "b"
                             << "a";
        QTest::newRow("other control stays") << "a\tb"
                                             << "a\tb";
    }
    void firstLine() {
        QFETCH(QString, text);
        QFETCH(QString, line);
        QCOMPARE(boxtext::FirstLine(text), line);
    }

    // A box held "before"; a change left "after" with the caret at "cursor".
    void fitChange_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::newRow("no line end, unchanged") << "ab"
                                                << "axb" << 2 << "axb" << 2;
        QTest::newRow("insertion cut, text after it kept") << "abcd"
                                                           << "abx\r\nycd" << 6 << "abxcd" << 3;
        QTest::newRow("insertion starting with a break") << "abcd"
                                                         << "ab\r\nxcd" << 5 << "abcd" << 2;
        QTest::newRow("insertion at the end") << "ab"
                                              << "abx\nb" << 5 << "abx" << 3;
        QTest::newRow("insertion like its surroundings, caret tells") << "aa"
                                                                      << "aa\naa" << 4 << "aaa" << 2;
        QTest::newRow("NUL ends the insertion") << "ab" << QString("abx") + QChar(0) + "y" << 4 << "abx" << 3;
        QTest::newRow("whole text set holding an insertion") << "http://abc"
                                                             << "http://x\r\nyabc" << 14 << "http://xabc" << 8;
        QTest::newRow("whole text set, all new") << "abcd"
                                                 << "xy\r\nzw" << 6 << "xy" << 2;
        QTest::newRow("whole text set, same start and end") << "abcd"
                                                            << "ab\r\ncd" << 6 << "abcd" << 2;
        QTest::newRow("whole text set repeating the box: the start wins") << "ab"
                                                                          << "ab\nab" << 5 << "ab" << 2;
        QTest::newRow("empty box, lone CR") << ""
                                            << "a\rb" << 3 << "a" << 1;
    }
    void fitChange() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, cursor);
        QFETCH(QString, text);
        QFETCH(int, caret);
        const boxtext::TFitted fitted = boxtext::FitChange(before, after, cursor);
        QCOMPARE(fitted.text, text);
        QCOMPARE(fitted.cursor, caret);
    }

    void urlForm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("caret");
        QTest::newRow("printable ASCII stays") << "http://a/~" << 3 << "http://a/~" << 3;
        QTest::newRow("blank stays") << " a " << 1 << " a " << 1;
        QTest::newRow("control bytes") << "a\x01"
                                          "b\x1b[31m\x7f"
                                       << 3 << "a%01b%1B[31m%7F" << 5;
        QTest::newRow("0x1F and tab") << "\x1f\t" << 2 << "%1F%09" << 6;
        QTest::newRow("0x80 is held") << QString(QChar(0x80)) << 1 << QString(QChar(0x80)) << 1;
        QTest::newRow("Japanese is held") << QString::fromUtf8("あa") << 1 << QString::fromUtf8("あa") << 1;
        QTest::newRow("not in the code page, caret after it")
            << QString::fromUtf8("http://aé😀b/") << 11 << "http://a%C3%A9%F0%9F%98%80b/" << 26;
        QTest::newRow("caret inside a surrogate pair stands before it")
            << QString::fromUtf8("http://aé😀b/") << 10 << "http://a%C3%A9%F0%9F%98%80b/" << 14;
        QTest::newRow("one-way yen sign") << QString::fromUtf8("a¥") << 2 << "a%C2%A5" << 7;
    }
    void urlForm() {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(QString, shown);
        QFETCH(int, caret);
        const boxtext::TFitted fitted = boxtext::UrlForm(text, cursor);
        QCOMPARE(fitted.text, shown);
        QCOMPARE(fitted.cursor, caret);
        QCOMPARE(boxtext::UrlForm(text), shown);
    }

    void fitUrlChangeCutsThenEncodes() {
        const boxtext::TFitted fitted = boxtext::FitUrlChange(u"http://", QString::fromUtf8("http://aé\x01\r\nb"), 13);
        QCOMPARE(fitted.text, QStringLiteral("http://a%C3%A9%01"));
        QCOMPARE(fitted.cursor, 17);
    }
};

QTEST_GUILESS_MAIN(TestBoxText)
#include "tst_boxtext.moc"
