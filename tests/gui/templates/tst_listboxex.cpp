#include "core/text/ShiftJis.h"
#include "gui/templates/ListBoxEx.h"

#include "gui/controls/Fonts.h"
#include <QScrollBar>

#include <QTest>

namespace {

int Width(const QFont& font, const QByteArray& text) {
    return text.isNull() ? 0 : QFontMetrics(font).horizontalAdvance(sjis::toUnicode(text + ' '));
}

// Operations: "+text" adds, "<text" inserts at 0, "-n" deletes item n, "=n text" replaces item n, "0" clears.
void Apply(TListBoxEx& list, const QByteArray& op) {
    const QByteArray arg = op.mid(1);
    switch (op[0]) {
    case '+':
        list.AddString(arg);
        break;
    case '<':
        list.InsertString(0, arg);
        break;
    case '-':
        list.DeleteString(arg.toInt());
        break;
    case '=':
        list.ReplaceString(arg.left(arg.indexOf(' ')).toInt(), arg.mid(arg.indexOf(' ') + 1));
        break;
    case '0':
        list.ResetContent();
        break;
    }
}

} // namespace

class TestListBoxEx : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { MapWindowsFonts(); }

    void extent_data() {
        QTest::addColumn<QByteArrayList>("ops");
        QTest::addColumn<QByteArray>("widest"); // null: extent 0
        QTest::newRow("new list") << QByteArrayList{} << QByteArray();
        QTest::newRow("wider raises") << QByteArrayList{"+ab", "+abcdef"} << QByteArray("abcdef");
        QTest::newRow("narrower leaves") << QByteArrayList{"+abcdef", "+ab"} << QByteArray("abcdef");
        QTest::newRow("insert wider") << QByteArrayList{"+ab", "<abcdef"} << QByteArray("abcdef");
        QTest::newRow("delete widest") << QByteArrayList{"+abcdef", "+abc", "+ab", "-0"} << QByteArray("abc");
        QTest::newRow("delete narrower") << QByteArrayList{"+abcdef", "+abc", "-1"} << QByteArray("abcdef");
        QTest::newRow("delete one of two widest") << QByteArrayList{"+abcd", "+abcd", "+a", "-0"} << QByteArray("abcd");
        QTest::newRow("delete last item") << QByteArrayList{"+abc", "-0"} << QByteArray();
        QTest::newRow("clear") << QByteArrayList{"+abcdef", "+abc", "0"} << QByteArray();
        QTest::newRow("add after clear") << QByteArrayList{"+abcdef", "0", "+ab"} << QByteArray("ab");
        QTest::newRow("replace widest shorter") << QByteArrayList{"+abcdef", "+abc", "=0 a"} << QByteArray("abc");
        QTest::newRow("replace narrower wider")
            << QByteArrayList{"+abc", "+a", "=1 abcdefgh"} << QByteArray("abcdefgh");
        QTest::newRow("double-byte") << QByteArrayList{"+abc", "+\x83\x7c\x7cx\x83\x7c"}
                                     << QByteArray("\x83\x7c\x7cx\x83\x7c");
        QTest::newRow("delete out of range") << QByteArrayList{"+abc", "-5", "--1"} << QByteArray("abc");
    }
    void extent() {
        QFETCH(QByteArrayList, ops);
        QFETCH(QByteArray, widest);
        TListBoxEx list;
        for (const QByteArray& op : ops)
            Apply(list, op);
        QCOMPARE(list.HorizontalExtent(), Width(list.font(), widest));
        QCOMPARE(list.MaxWidth(), list.HorizontalExtent());
    }

    void measuresOnlyNewItems() {
        TListBoxEx list;
        list.SetStrings({"abcdef", "abc", "ab"});
        QCOMPARE(list.MeasureCount(), 3);
        list.DeleteString(0); // the widest: the others are not measured again
        QCOMPARE(list.MeasureCount(), 3);
        QCOMPARE(list.HorizontalExtent(), Width(list.font(), "abc"));
        list.ResetContent();
        QCOMPARE(list.MeasureCount(), 3);
        QCOMPARE(list.HorizontalExtent(), 0);
    }

    void deleteManyRuns() {
        TListBoxEx list;
        list.SetStrings({"a", "abcdefgh", "ab", "abcdefg", "abc"});
        list.SetItemIndex(3);
        list.DeleteItems({false, true, false, true, false});
        QCOMPARE(list.Items(), (QList<QByteArray>{"a", "ab", "abc"}));
        QCOMPARE(list.HorizontalExtent(), Width(list.font(), "abc"));
        QCOMPARE(list.ItemIndex(), 1); // the nearest remaining item above the deleted current one
    }

    void fontChange() {
        TListBoxEx list;
        list.SetStrings({"http://www.|.co.jp/", "ab"});
        const int before = list.HorizontalExtent();
        const qint64 measured = list.MeasureCount();
        QFont big = list.font();
        big.setPixelSize(40);
        list.setFont(big);
        QCOMPARE(list.MeasureCount(), measured + 2);
        QCOMPARE(list.HorizontalExtent(), Width(big, "http://www.|.co.jp/"));
        QVERIFY(list.HorizontalExtent() > before);
    }

    void scrollBarFollowsExtent() {
        TListBoxEx list;
        list.resize(120, 100);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.AddString("short");
        QTRY_VERIFY(!list.horizontalScrollBar()->isVisible());
        list.AddString("http://www.example-of-a-long-template.co.jp/|index.html");
        QTRY_VERIFY(list.horizontalScrollBar()->isVisible());
        QTRY_COMPARE(list.horizontalScrollBar()->maximum(), list.HorizontalExtent() - list.viewport()->width());
        list.DeleteString(1);
        QTRY_VERIFY(!list.horizontalScrollBar()->isVisible());
    }
};

QTEST_MAIN(TestListBoxEx)
#include "tst_listboxex.moc"
