#include "core/templates/TemplateEditRules.h"
#include "core/templates/TemplateList.h"
#include "core/text/ShiftJis.h"

#include <QTest>

#include <thread>

namespace {

QList<bool> Flags(const char* text) {
    QList<bool> flags;
    for (const char* p = text; *p; ++p)
        flags.append(*p == '1');
    return flags;
}

QByteArray FlagText(const QList<bool>& flags) {
    QByteArray text;
    for (bool f : flags)
        text += f ? '1' : '0';
    return text;
}

const QByteArray kPoBarX("\x83\x7c\x7cx"); // "ポ|x": the first 0x7C is the second byte of "ポ"

} // namespace

class TestTemplateRules : public QObject {
    Q_OBJECT
private slots:
    void addRule_data() {
        QTest::addColumn<QList<QByteArray>>("list");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("caret");
        QTest::addColumn<QByteArray>("candidate"); // empty: the text is not a URL
        QTest::addColumn<bool>("enabled");
        const QList<QByteArray> defaults = SplitTemplateText(DefaultTemplateText());
        QTest::newRow("caret after www.")
            << defaults << QByteArray("http://www.q") << qsizetype(11) << QByteArray("http://www.|q") << true;
        QTest::newRow("caret at end") << defaults << QByteArray("www.q") << qsizetype(5) << QByteArray("www.q|")
                                      << true;
        QTest::newRow("equals first default") << defaults << QByteArray("http://www..co.jp/") << qsizetype(11)
                                              << QByteArray("http://www.|.co.jp/") << false;
        QTest::newRow("default text, caret moved") << defaults << QByteArray("http://www..co.jp/") << qsizetype(12)
                                                   << QByteArray("http://www..|co.jp/") << true;
        QTest::newRow("caret at start") << defaults << QByteArray("http://q") << qsizetype(0) << QByteArray("|http://q")
                                        << true;
        QTest::newRow("not a url") << defaults << QByteArray("HTTP://Q") << qsizetype(0) << QByteArray() << false;
        QTest::newRow("empty box, empty list")
            << QList<QByteArray>{} << QByteArray() << qsizetype(0) << QByteArray() << false;
        QTest::newRow("empty list") << QList<QByteArray>{} << QByteArray("www") << qsizetype(3) << QByteArray("www|")
                                    << true;
        QTest::newRow("differs only in case") << QList<QByteArray>{"http://Q/|"} << QByteArray("http://q/")
                                              << qsizetype(9) << QByteArray("http://q/|") << true;
        QTest::newRow("upper-case entry first")
            << QList<QByteArray>{"HTTP://Q/|", "http://q/|"} << QByteArray("http://q/") << qsizetype(9)
            << QByteArray("http://q/|") << true;
        QTest::newRow("exact entry first") << QList<QByteArray>{"http://q/|", "HTTP://Q/|"} << QByteArray("http://q/")
                                           << qsizetype(9) << QByteArray("http://q/|") << false;
        QTest::newRow("box holds a bar") << QList<QByteArray>{} << QByteArray("http://a|b") << qsizetype(10)
                                         << QByteArray("http://a|b|") << true;
    }
    void addRule() {
        QFETCH(QList<QByteArray>, list);
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, caret);
        QFETCH(QByteArray, candidate);
        QFETCH(bool, enabled);
        const auto formed = AddTemplateCandidate(text, caret);
        QCOMPARE(formed.has_value(), !candidate.isEmpty());
        QCOMPARE(formed.value_or(QByteArray()), candidate);
        QCOMPARE(CanAddTemplate(list, text, caret), enabled);
    }

    void templateForBox_data() {
        QTest::addColumn<QByteArray>("templ");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qsizetype>("caret");
        QTest::newRow("first default") << QByteArray("http://www.|.co.jp/") << QByteArray("http://www..co.jp/")
                                       << qsizetype(11);
        QTest::newRow("only marker") << QByteArray("|") << QByteArray() << qsizetype(0);
        QTest::newRow("marker last") << QByteArray("abc|") << QByteArray("abc") << qsizetype(3);
        QTest::newRow("no marker") << QByteArray("http://q/") << QByteArray("http://q/") << qsizetype(0);
        QTest::newRow("po bar x") << kPoBarX << QByteArray("\x83\x7cx") << qsizetype(2);
        QTest::newRow("second bar stays") << QByteArray("http://a|b|") << QByteArray("http://ab|") << qsizetype(8);
    }
    void templateForBox() {
        QFETCH(QByteArray, templ);
        QFETCH(QByteArray, text);
        QFETCH(qsizetype, caret);
        const auto placed = TemplateForBox({"x", templ}, 1);
        QVERIFY(placed);
        QCOMPARE(placed->text, text);
        QCOMPARE(placed->caret, caret);
    }

    void templateForBoxOutside() {
        QVERIFY(!TemplateForBox({"a|"}, 1));
        QVERIFY(!TemplateForBox({"a|"}, -1));
        QVERIFY(!TemplateForBox({}, 0));
    }

    void splitAtMarker_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::newRow("marker first") << QByteArray("|abc") << QByteArray() << QByteArray("abc");
        QTest::newRow("marker last") << QByteArray("&1\x81\x46http://www.q/|") << QByteArray("&1\x81\x46http://www.q/")
                                     << QByteArray();
        QTest::newRow("no marker") << QByteArray("&1\x81\x46http://q/") << QByteArray()
                                   << QByteArray("&1\x81\x46http://q/");
        QTest::newRow("middle") << QByteArray("&1\x81\x46http://www.|.co.jp/") << QByteArray("&1\x81\x46http://www.")
                                << QByteArray(".co.jp/");
        QTest::newRow("po bar x") << kPoBarX << QByteArray("\x83\x7c") << QByteArray("x");
        QTest::newRow("two bars") << QByteArray("a|b|c") << QByteArray("a") << QByteArray("b|c");
        QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
    }
    void splitAtMarker() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        const MarkerPieces pieces = SplitAtMarker(text);
        QCOMPARE(pieces.first, first);
        QCOMPARE(pieces.second, second);
    }

    void menuCaption_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("templ");
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("converters"); // opened to make the text, on a thread that had none
        const QByteArray url = "http://www.|.co.jp/";
        QTest::newRow("first") << 0 << url << QByteArray("&1\x81\x46http://www.|.co.jp/")
                               << QStringLiteral(u"&1：http://www.|.co.jp/") << 0;
        QTest::newRow("ninth") << 8 << url << QByteArray("&9\x81\x46http://www.|.co.jp/")
                               << QStringLiteral(u"&9：http://www.|.co.jp/") << 0;
        QTest::newRow("tenth") << 9 << url << QByteArray("&A\x81\x46http://www.|.co.jp/")
                               << QStringLiteral(u"&A：http://www.|.co.jp/") << 0;
        QTest::newRow("fifteenth") << 14 << url << QByteArray("&F\x81\x46http://www.|.co.jp/")
                                   << QStringLiteral(u"&F：http://www.|.co.jp/") << 0;
        QTest::newRow("kana template") << 0 << QByteArray("\x83\x7c|") << QByteArray("&1\x81\x46\x83\x7c|")
                                       << QStringLiteral(u"&1：ポ|") << 1;
    }
    void menuCaption() {
        QFETCH(int, position);
        QFETCH(QByteArray, templ);
        QFETCH(QByteArray, caption);
        QFETCH(QString, text);
        QFETCH(int, converters);
        QCOMPARE(TemplateMenuCaption(position, templ), caption);
        QString made;
        int opened = -1;
        std::thread([&] {
            made = TemplateMenuCaptionText(position, templ);
            opened = sjis::convertersOpenedOnThisThread();
        }).join();
        QCOMPARE(made, text);
        QCOMPARE(opened, converters);
    }

    void move_data() {
        QTest::addColumn<QByteArray>("selected");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("canMove");
        QTest::newRow("2 3 5 up") << QByteArray("011010") << true << QList<int>{1, 2, 0, 4, 3, 5}
                                  << QByteArray("110100") << true;
        QTest::newRow("1 2 4 up") << QByteArray("110100") << true << QList<int>{0, 1, 3, 2, 4, 5}
                                  << QByteArray("111000") << true;
        QTest::newRow("2 3 5 down") << QByteArray("011010") << false << QList<int>{0, 3, 1, 2, 5, 4}
                                    << QByteArray("001101") << true;
        QTest::newRow("run at top stays")
            << QByteArray("1100") << true << QList<int>{0, 1, 2, 3} << QByteArray("1100") << false;
        QTest::newRow("run at bottom stays")
            << QByteArray("0011") << false << QList<int>{0, 1, 2, 3} << QByteArray("0011") << false;
        QTest::newRow("top run stays, last moves")
            << QByteArray("1001") << true << QList<int>{0, 1, 3, 2} << QByteArray("1010") << true;
        QTest::newRow("nothing selected")
            << QByteArray("000") << true << QList<int>{0, 1, 2} << QByteArray("000") << false;
        QTest::newRow("empty list") << QByteArray() << false << QList<int>{} << QByteArray() << false;
    }
    void move() {
        QFETCH(QByteArray, selected);
        QFETCH(bool, up);
        QFETCH(QList<int>, order);
        QFETCH(QByteArray, after);
        QFETCH(bool, canMove);
        QList<bool> flags = Flags(selected.constData());
        QCOMPARE(up ? CanMoveSelectionUp(flags) : CanMoveSelectionDown(flags), canMove);
        QCOMPARE(up ? MoveSelectionUp(flags) : MoveSelectionDown(flags), order);
        QCOMPARE(FlagText(flags), after);
    }

    void currentAfterDelete_data() {
        QTest::addColumn<QByteArray>("selected");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("expected");
        QTest::newRow("everything") << QByteArray("111") << 0 << -1;
        QTest::newRow("first deleted") << QByteArray("100") << 0 << 0;
        QTest::newRow("current survives") << QByteArray("0110") << 3 << 1;
        QTest::newRow("goes above") << QByteArray("0110") << 2 << 0;
        QTest::newRow("top run, goes below") << QByteArray("1101") << 1 << 0;
        QTest::newRow("no current") << QByteArray("010") << -1 << -1;
    }
    void currentAfterDelete() {
        QFETCH(QByteArray, selected);
        QFETCH(int, current);
        QFETCH(int, expected);
        QCOMPARE(CurrentAfterDelete(Flags(selected.constData()), current), expected);
    }

    void runs() {
        const QList<ItemRun> runs = SelectedRuns(Flags("0110111"));
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs[0].first, 1);
        QCOMPARE(runs[0].count, 2);
        QCOMPARE(runs[1].first, 4);
        QCOMPARE(runs[1].count, 3);
    }
};

QTEST_APPLESS_MAIN(TestTemplateRules)
#include "tst_templaterules.moc"
