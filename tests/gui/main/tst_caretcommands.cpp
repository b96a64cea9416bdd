#include "../../support/NamedChild.h"
#include "core/settings/VelGlobals.h"
#include "gui/controls/Actions.h"
#include "gui/controls/MoxSpeedButton.h"
#include "gui/main/Main.h"
#include "gui/main/UrlBox.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

class TestCaretCommands : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<TfrmMain> w;

    // Enabled state of: MoveTop MoveEnd FastLeft FastRight Del BS AC, as "1"/"0".
    QString States() {
        Named<TActionList>(w, "ActionList1")->UpdateAll();
        QString s;
        for (TAction* a : {Named<TAction>(w, "actMoveTop"), Named<TAction>(w, "actMoveEnd"),
                           Named<TAction>(w, "actFastLeft"), Named<TAction>(w, "actFastRight"),
                           Named<TAction>(w, "actDel"), Named<TAction>(w, "actBS"), Named<TAction>(w, "actAC")})
            s += a->Enabled() ? '1' : '0';
        return s;
    }

private slots:
    void init() {
        VelGlobals::Reset();
        TfrmMain::ErrorReporter = [](QWidget*, const QString&) {};
        w = std::make_unique<TfrmMain>(dir.path());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void enablingRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("states");
        QTest::newRow("empty box") << "" << 0 << 0 << "0000000";
        QTest::newRow("caret at start") << "abc" << 0 << 0 << "0101101";
        QTest::newRow("caret in the middle") << "abc" << 1 << 0 << "1111111";
        QTest::newRow("caret at end") << "abc" << 3 << 0 << "1010011";
        QTest::newRow("whole text selected") << "abc" << 0 << 3 << "0101101";
        QTest::newRow("selection to the end") << "abc" << 1 << 2 << "1111111";
    }
    void enablingRules() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, states);
        Named<TUrlBox>(w, "edURL")->setText(text);
        Named<TUrlBox>(w, "edURL")->setSelection(selStart, selLength);
        if (selLength == 0)
            Named<TUrlBox>(w, "edURL")->setCursorPosition(selStart);
        QCOMPARE(States(), states);
        // The keys follow their commands.
        QCOMPARE(Named<TMoxSpeedButton>(w, QStringLiteral("sbMoveTop"))->isEnabled(), states[0] == '1');
        QCOMPARE(Named<TMoxSpeedButton>(w, QStringLiteral("sbAllClear"))->isEnabled(), states[6] == '1');
    }

    void commands_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        const QString po = QString::fromUtf8("aポb");
        QTest::newRow("left over double byte") << po << 2 << 0 << "sbFastLeft" << po << 1;
        QTest::newRow("right over double byte") << po << 1 << 0 << "sbFastRight" << po << 2;
        QTest::newRow("bs deletes double byte whole") << po << 2 << 0 << "sbBs"
                                                      << "ab" << 1;
        QTest::newRow("del deletes double byte whole") << po << 1 << 0 << "sbDel"
                                                       << "ab" << 1;
        QTest::newRow("del deletes whole selection") << "abc" << 0 << 3 << "sbDel"
                                                     << "" << 0;
        QTest::newRow("move top clears selection") << "abcdef" << 2 << 3 << "sbMoveTop"
                                                   << "abcdef" << 0;
        QTest::newRow("move last") << "abcdef" << 2 << 0 << "sbMoveLast"
                                   << "abcdef" << 6;
        QTest::newRow("all clear") << "abcdef" << 2 << 0 << "sbAllClear"
                                   << "" << 0;
    }
    void commands() {
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, key);
        QFETCH(QString, after);
        QFETCH(int, caret);
        Named<TUrlBox>(w, "edURL")->setText(text);
        Named<TUrlBox>(w, "edURL")->setCursorPosition(selStart);
        if (selLength)
            Named<TUrlBox>(w, "edURL")->setSelection(selStart, selLength);
        Named<TActionList>(w, "ActionList1")->UpdateAll();
        TMoxSpeedButton* k = Named<TMoxSpeedButton>(w, key);
        QTest::mouseClick(k, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(Named<TUrlBox>(w, "edURL")->text(), after);
        QCOMPARE(Named<TUrlBox>(w, "edURL")->cursorPosition(), caret);
        QVERIFY(!Named<TUrlBox>(w, "edURL")->hasSelectedText());
    }

    // Held down, the key steps once after 500 ms and then about every 30 ms; a release away from the key
    // adds no step. The bounds are generous: the machine may be busy.
    void holdRepeats() {
        Named<TUrlBox>(w, "edURL")->setText(QString(200, QLatin1Char('x')));
        Named<TUrlBox>(w, "edURL")->setCursorPosition(200);
        Named<TActionList>(w, "ActionList1")->UpdateAll();
        TMoxSpeedButton* key = Named<TMoxSpeedButton>(w, "sbFastLeft");
        QTest::mousePress(key, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::qWait(300);
        QCOMPARE(Named<TUrlBox>(w, "edURL")->cursorPosition(), 200);
        QTest::qWait(700);
        const int moved = 200 - Named<TUrlBox>(w, "edURL")->cursorPosition();
        QVERIFY2(moved >= 3 && moved <= 20, qPrintable(QString::number(moved)));
        QTest::mouseRelease(key, Qt::LeftButton, {}, QPoint(-50, -50));
        const int atRelease = Named<TUrlBox>(w, "edURL")->cursorPosition();
        QTest::qWait(200);
        QCOMPARE(Named<TUrlBox>(w, "edURL")->cursorPosition(), atRelease);
        QVERIFY(!Named<QTimer>(w, "tmFastLeft")->isActive());
    }

    // At 0 the held key is disabled, so its release never reaches it: the repeat must end all the same and
    // leave text typed afterwards alone.
    void holdEndsWhenReleasedOverTheDisabledKey() {
        Named<TUrlBox>(w, "edURL")->setText(QString::fromUtf8("ポポ"));
        Named<TUrlBox>(w, "edURL")->setCursorPosition(2);
        Named<TActionList>(w, "ActionList1")->UpdateAll();
        QTest::mousePress(Named<TMoxSpeedButton>(w, "sbFastLeft"), Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE_WITH_TIMEOUT(Named<TUrlBox>(w, "edURL")->cursorPosition(), 0, 3000);
        QTest::qWait(100);
        QVERIFY(!Named<TMoxSpeedButton>(w, "sbFastLeft")->isEnabled());
        QTest::mouseRelease(Named<TMoxSpeedButton>(w, "sbFastLeft"), Qt::LeftButton, {}, QPoint(5, 5));
        Named<TUrlBox>(w, "edURL")->setText(QStringLiteral("abc"));
        Named<TUrlBox>(w, "edURL")->setCursorPosition(3);
        QTest::qWait(200);
        QCOMPARE(Named<TUrlBox>(w, "edURL")->cursorPosition(), 3);
    }
};

QTEST_MAIN(TestCaretCommands)
#include "tst_caretcommands.moc"
