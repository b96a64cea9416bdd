#include "core/browser/CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void split_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("empty") << QString() << QStringList{};
        QTest::newRow("blanks only") << QStringLiteral(" \t ") << QStringList{};
        QTest::newRow("one URL") << QStringLiteral("http://www.qq.co.jp/") << QStringList{"http://www.qq.co.jp/"};
        QTest::newRow("blanks and tabs separate") << QStringLiteral("  a  b\tc ") << QStringList{"a", "b", "c"};
        QTest::newRow("other white space is text") << QStringLiteral("a\nb\vc") << QStringList{"a\nb\vc"};
        QTest::newRow("quotes group and go") << QStringLiteral("\"a b\" c") << QStringList{"a b", "c"};
        QTest::newRow("quotes inside a word") << QStringLiteral("a\"b c\"d e") << QStringList{"ab cd", "e"};
        QTest::newRow("empty quoted argument") << QStringLiteral("\"\"") << QStringList{""};
        QTest::newRow("empty argument between") << QStringLiteral("a \"\" b") << QStringList{"a", "", "b"};
        QTest::newRow("unterminated quote") << QStringLiteral("\"a b") << QStringList{"a b"};
        QTest::newRow("quoted part then blank") << QStringLiteral("\"a\" ") << QStringList{"a"};
        QTest::newRow("doubled quote inside quotes") << QStringLiteral("\"a\"\"b c\" d") << QStringList{"a\"b c", "d"};
        QTest::newRow("three quotes") << QStringLiteral("\"\"\"") << QStringList{"\""};
        QTest::newRow("doubled quote outside quotes") << QStringLiteral("a\"\"b c") << QStringList{"ab", "c"};
        QTest::newRow("backslashes are literal") << QStringLiteral("a\\\\b\\c") << QStringList{"a\\\\b\\c"};
        QTest::newRow("trailing backslash") << QStringLiteral("a\\ b\\") << QStringList{"a\\", "b\\"};
        QTest::newRow("backslash quote is a quote") << QStringLiteral("a\\\"b c") << QStringList{"a\"b", "c"};
        QTest::newRow("2 backslashes and a quote") << QStringLiteral("a\\\\\"b c\"") << QStringList{"a\\b c"};
        QTest::newRow("3 backslashes and a quote") << QStringLiteral("a\\\\\\\"b c") << QStringList{"a\\\"b", "c"};
        QTest::newRow("4 backslashes and a quote") << QStringLiteral("\"a\\\\\\\\\" b") << QStringList{"a\\\\", "b"};
        QTest::newRow("escaped quote inside quotes") << QStringLiteral("\"a\\\"b c\"") << QStringList{"a\"b c"};
        QTest::newRow("URL with a quoted query")
            << QStringLiteral("http://x/?q=\"a b\"&r=1") << QStringList{"http://x/?q=a b&r=1"};
        QTest::newRow("shell characters are text") << QStringLiteral("http://x/?a=1;b|c$(touch x)`id`'s'&d>e<f*")
                                                   << QStringList{"http://x/?a=1;b|c$(touch", "x)`id`'s'&d>e<f*"};
        QTest::newRow("double-byte text")
            << QStringLiteral("http://x/ソ表\"a b\"") << QStringList{QStringLiteral("http://x/ソ表a b")};
    }
    void split() {
        QFETCH(QString, text);
        QFETCH(QStringList, arguments);
        QCOMPARE(SplitCommandLine(text), arguments);
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
