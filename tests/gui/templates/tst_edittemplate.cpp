#include "../../support/NamedChild.h"
#include "core/settings/VelGlobals.h"
#include "core/templates/TemplateList.h"
#include "core/text/ShiftJis.h"
#include "gui/controls/Actions.h"
#include "gui/templates/EditTemplate.h"
#include "gui/templates/ListBoxEx.h"
#include "gui/templates/TemplateDraw.h"

#include "gui/controls/Fonts.h"
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

QList<QByteArray> Defaults() {
    return SplitTemplateText(DefaultTemplateText());
}

QList<int> SelectedRows(const TListBoxEx* list) {
    QList<int> rows;
    const QList<bool> flags = list->SelectionFlags();
    for (int i = 0; i < flags.size(); ++i)
        if (flags[i])
            rows.append(i);
    return rows;
}

QByteArray EditBytes(const TfrmEditTemplate& dlg) {
    return sjis::fromUnicodeUrl(Named<QLineEdit>(&dlg, "edTemplate")->text());
}

} // namespace

class TestEditTemplate : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> owner;
    TfrmEditTemplate* dlg = nullptr;
    QList<bool> answers;   // given by the question function, in order
    QStringList questions; // asked, in order

    void Open(const QList<QByteArray>& list) {
        VelGlobals::TemplateList = list;
        owner = std::make_unique<QWidget>();
        dlg = new TfrmEditTemplate(owner.get());
        dlg->Ask = [this](const QString& text) {
            questions.append(text);
            return answers.isEmpty() ? false : answers.takeFirst();
        };
        dlg->show();
        dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dlg));
    }
    void Idle() { Named<TActionList>(dlg, "alEditTemplate")->UpdateAll(); }
    void ClickItem(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        TListBoxEx* list = Named<TListBoxEx>(dlg, "lbTemplate");
        list->scrollTo(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                          list->visualRect(list->model()->index(row, 0)).center());
    }

private slots:
    void initTestCase() { MapWindowsFonts(); }
    void cleanup() {
        delete dlg;
        dlg = nullptr;
        owner.reset();
        answers.clear();
        questions.clear();
    }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("lblTemplateList") << "lblTemplateList" << QRect(13, 12, 212, 12)
                                         << QStringLiteral("キャレット位置が赤で表示されています(&L)");
        QTest::newRow("lbTemplate") << "lbTemplate" << QRect(13, 28, 305, 164) << QString();
        QTest::newRow("sbMoveUp") << "sbMoveUp" << QRect(323, 65, 30, 40) << QString();
        QTest::newRow("sbMoveDown") << "sbMoveDown" << QRect(323, 113, 30, 40) << QString();
        // One pixel wider than its place: the stand-in font needs 226 px for the whole text.
        QTest::newRow("Label1") << "Label1" << QRect(14, 204, 226, 12)
                                << QStringLiteral("文字列とキャレット位置を設定してください(&E)");
        QTest::newRow("edTemplate") << "edTemplate" << QRect(13, 221, 305, 24) << QString();
        QTest::newRow("sbReplace") << "sbReplace" << QRect(13, 258, 60, 21) << QStringLiteral("置換(&R)");
        QTest::newRow("sbAdd") << "sbAdd" << QRect(81, 258, 60, 21) << QStringLiteral("追加(&A)");
        QTest::newRow("sbDelete") << "sbDelete" << QRect(149, 258, 60, 21) << QStringLiteral("削除(&D)");
        QTest::newRow("sbInitialize") << "sbInitialize" << QRect(217, 258, 101, 21)
                                      << QStringLiteral("リストを初期化(&Z)");
        QTest::newRow("btnClose") << "btnClose" << QRect(284, 304, 88, 23) << QStringLiteral("閉じる");
        QTest::newRow("pnlEditTemplate") << "pnlEditTemplate" << QRect(6, 6, 365, 291) << QString();
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        Open(Defaults());
        QWidget* control = Named<QWidget>(dlg, name);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->parentWidget(), name == "btnClose" || name == "pnlEditTemplate"
                                              ? static_cast<QWidget*>(dlg)
                                              : Named<QFrame>(dlg, "pnlEditTemplate"));
        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), caption);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            QCOMPARE(button->text(), caption);
        if (qobject_cast<QToolButton*>(control))
            QCOMPARE(control->focusPolicy(), Qt::NoFocus);
        QCOMPARE(dlg->size(), QSize(376, 333));
        QCOMPARE(dlg->windowTitle(), QStringLiteral("テンプレートの編集"));
    }

    void opening() {
        Open(Defaults());
        QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), QList<int>{0});
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->ItemIndex(), 0);
        QCOMPARE(EditBytes(*dlg), QByteArray("http://www..co.jp/"));
        QCOMPARE(Named<QLineEdit>(dlg, "edTemplate")->cursorPosition(), 11);
        QVERIFY(!Named<QLineEdit>(dlg, "edTemplate")->hasSelectedText());
        QCOMPARE(QApplication::focusWidget(), Named<QLineEdit>(dlg, "edTemplate"));
        Idle();
        QVERIFY(!Named<TAction>(dlg, "actInitialize")->Enabled());
        QVERIFY(!Named<TAction>(dlg, "actAdd")->Enabled());
        QVERIFY(!Named<TAction>(dlg, "actReplace")->Enabled());
        QVERIFY(Named<TAction>(dlg, "actDelete")->Enabled());
        QVERIFY(!Named<TAction>(dlg, "actMoveUp")->Enabled());
        QVERIFY(Named<TAction>(dlg, "actMoveDown")->Enabled());
        QVERIFY(!Named<QToolButton>(dlg, "sbAdd")->isEnabled());
    }

    void addAfterMovingCaret_data() {
        QTest::addColumn<bool>("byAccelerator");
        QTest::newRow("button") << false;
        QTest::newRow("Alt+A") << true;
    }
    void addAfterMovingCaret() {
        QFETCH(bool, byAccelerator);
        Open(Defaults());
        QTest::keyClick(Named<QLineEdit>(dlg, "edTemplate"), Qt::Key_Right);
        Idle();
        QVERIFY(Named<TAction>(dlg, "actAdd")->Enabled());
        QVERIFY(Named<TAction>(dlg, "actReplace")->Enabled());
        if (byAccelerator)
            QTest::keyClick(Named<QLineEdit>(dlg, "edTemplate"), Qt::Key_A, Qt::AltModifier);
        else
            QTest::mouseClick(Named<QToolButton>(dlg, "sbAdd"), Qt::LeftButton);
        QTRY_COMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Count(), 14);
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Item(13), QByteArray("http://www..|co.jp/"));
        QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), QList<int>{13});
        QCOMPARE(Named<QLineEdit>(dlg, "edTemplate")->cursorPosition(), 12);
        Idle();
        QVERIFY(!Named<TAction>(dlg, "actAdd")->Enabled()); // now a duplicate
    }

    // With no template left, the added one becomes current, so Replace works on it.
    void addToEmptyList_data() {
        QTest::addColumn<bool>("deleteAll");
        QTest::newRow("opened empty") << false;
        QTest::newRow("every template deleted") << true;
    }
    void addToEmptyList() {
        QFETCH(bool, deleteAll);
        Open(deleteAll ? Defaults() : QList<QByteArray>{});
        if (deleteAll) {
            Named<TListBoxEx>(dlg, "lbTemplate")->selectAll();
            answers = {true};
            Named<TAction>(dlg, "actDelete")->Execute();
            QTest::qWait(50); // the Up and Down that follow a deletion
        }
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Count(), 0);
        QTest::keyClicks(Named<QLineEdit>(dlg, "edTemplate"), QStringLiteral("abc"));
        QTest::mouseClick(Named<QToolButton>(dlg, "sbAdd"), Qt::LeftButton);
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->ItemIndex(), 0);
        QTest::keyClick(Named<QLineEdit>(dlg, "edTemplate"), Qt::Key_Left);
        Idle();
        QVERIFY(Named<TAction>(dlg, "actReplace")->Enabled());
        QTest::mouseClick(Named<QToolButton>(dlg, "sbReplace"), Qt::LeftButton);
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Items(), QList<QByteArray>{"ab|c"});
    }

    void disabledAcceleratorDoesNothing() {
        Open(Defaults());
        QTest::keyClick(Named<QLineEdit>(dlg, "edTemplate"), Qt::Key_A, Qt::AltModifier);
        QTest::qWait(200);
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Count(), 13);
    }

    void replaceWithEmptyEditBox() {
        Open(Defaults());
        Named<QLineEdit>(dlg, "edTemplate")->clear();
        Idle();
        QVERIFY(!Named<TAction>(dlg, "actAdd")->Enabled());
        QVERIFY(Named<TAction>(dlg, "actReplace")->Enabled());
        ClickItem(2, Qt::ControlModifier); // items 1 and 3 selected, 3 current
        Named<QLineEdit>(dlg, "edTemplate")->clear();
        QTest::mouseClick(Named<QToolButton>(dlg, "sbReplace"), Qt::LeftButton);
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Item(2), QByteArray("|"));
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Item(0), Defaults().first());
        QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), (QList<int>{0, 2}));
        Idle();
        QVERIFY(!Named<TAction>(dlg, "actReplace")->Enabled()); // "|" is in the list now
    }

    void clickKeepsCaretOfEqualText() {
        Open(Defaults());
        QTest::keyClick(Named<QLineEdit>(dlg, "edTemplate"), Qt::Key_Right);
        QTest::mouseClick(Named<QToolButton>(dlg, "sbAdd"), Qt::LeftButton); // item 14: same text, marker at 12
        ClickItem(0);
        QCOMPARE(EditBytes(*dlg), QByteArray("http://www..co.jp/"));
        QCOMPARE(Named<QLineEdit>(dlg, "edTemplate")->cursorPosition(), 12);
        ClickItem(1);
        QCOMPARE(EditBytes(*dlg), QByteArray("http://www..ne.jp/"));
        QCOMPARE(Named<QLineEdit>(dlg, "edTemplate")->cursorPosition(), 11);
    }

    void extendedSelection() {
        Open(Defaults());
        ClickItem(2);
        ClickItem(5, Qt::ShiftModifier);
        QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), (QList<int>{2, 3, 4, 5}));
        ClickItem(3, Qt::ControlModifier);
        QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), (QList<int>{2, 4, 5}));
        QTest::keyClick(Named<TListBoxEx>(dlg, "lbTemplate"), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->ItemIndex(), 4);
    }

    void deleteSelection_data() {
        QTest::addColumn<QList<int>>("select"); // clicked in order, the rest with Ctrl; the last is current
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("first item, ends on second")
            << QList<int>{0} << true << 12 << 1 << QByteArray("http://www..or.jp/");
        // The current item goes to the nearest remaining item above the deleted one.
        QTest::newRow("middle run") << QList<int>{3, 4} << true << 11 << 2 << QByteArray("http://www..or.jp/");
        QTest::newRow("last item") << QList<int>{12} << true << 12 << 11 << QByteArray("http://www..info/");
        QTest::newRow("answer no") << QList<int>{3, 4} << false << 13 << -1 << QByteArray("http://www..ad.jp/");
    }
    void deleteSelection() {
        QFETCH(QList<int>, select);
        QFETCH(bool, answer);
        QFETCH(int, count);
        QFETCH(int, selectedAfter);
        QFETCH(QByteArray, shown);
        Open(Defaults());
        for (int i = 0; i < select.size(); ++i)
            ClickItem(select[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
        answers = {answer};
        QTest::keyClick(Named<TListBoxEx>(dlg, "lbTemplate"), Qt::Key_Delete);
        QCOMPARE(questions, QStringList{QStringLiteral("選択されたテンプレートを削除してもよろしいですか？")});
        QTest::qWait(50); // the Up and Down that follow a deletion
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Count(), count);
        if (selectedAfter >= 0) {
            QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), QList<int>{selectedAfter});
            QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->ItemIndex(), selectedAfter);
            QCOMPARE(QApplication::focusWidget(), Named<TListBoxEx>(dlg, "lbTemplate"));
        } else {
            QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), select);
        }
        QCOMPARE(EditBytes(*dlg), shown);
    }

    void deleteAllStoresEmptyList() {
        Open(Defaults());
        Named<TListBoxEx>(dlg, "lbTemplate")->setFocus();
        QTest::keyClick(Named<TListBoxEx>(dlg, "lbTemplate"), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->SelCount(), 13);
        answers = {true};
        QTest::mouseClick(Named<QToolButton>(dlg, "sbDelete"), Qt::LeftButton);
        QTest::qWait(50);
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Count(), 0);
        QVERIFY(Named<QLineEdit>(dlg, "edTemplate")->text().isEmpty());
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->HorizontalExtent(), 0);
        dlg->close();
        QVERIFY(VelGlobals::TemplateList.isEmpty());
    }

    void move_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("order"); // after each of two moves
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QByteArray>("order2");
        QTest::addColumn<QList<int>>("selected2");
        QTest::newRow("up button") << "sbMoveUp" << QByteArray("bcaedf") << QList<int>{0, 1, 3} << QByteArray("bceadf")
                                   << QList<int>{0, 1, 2};
        QTest::newRow("F7") << "F7" << QByteArray("bcaedf") << QList<int>{0, 1, 3} << QByteArray("bceadf")
                            << QList<int>{0, 1, 2};
        QTest::newRow("Alt+Up") << "Alt+Up" << QByteArray("bcaedf") << QList<int>{0, 1, 3} << QByteArray("bceadf")
                                << QList<int>{0, 1, 2};
        QTest::newRow("down button") << "sbMoveDown" << QByteArray("adbcfe") << QList<int>{2, 3, 5}
                                     << QByteArray("adfbce") << QList<int>{3, 4, 5};
        QTest::newRow("F8") << "F8" << QByteArray("adbcfe") << QList<int>{2, 3, 5} << QByteArray("adfbce")
                            << QList<int>{3, 4, 5};
        QTest::newRow("Alt+Down") << "Alt+Down" << QByteArray("adbcfe") << QList<int>{2, 3, 5} << QByteArray("adfbce")
                                  << QList<int>{3, 4, 5};
        QTest::newRow("Shift+F7 does nothing")
            << "Shift+F7" << QByteArray("abcdef") << QList<int>{1, 2, 4} << QByteArray("abcdef") << QList<int>{1, 2, 4};
    }
    void move() {
        QFETCH(QString, how);
        QFETCH(QByteArray, order);
        QFETCH(QList<int>, selected);
        QFETCH(QByteArray, order2);
        QFETCH(QList<int>, selected2);
        Open({"a|", "b|", "c|", "d|", "e|", "f|"});
        ClickItem(1);
        ClickItem(2, Qt::ControlModifier);
        ClickItem(4, Qt::ControlModifier);
        const auto act = [&] {
            if (how == "sbMoveUp")
                QTest::mouseClick(Named<QToolButton>(dlg, "sbMoveUp"), Qt::LeftButton);
            else if (how == "sbMoveDown")
                QTest::mouseClick(Named<QToolButton>(dlg, "sbMoveDown"), Qt::LeftButton);
            else if (how == "F7")
                QTest::keyClick(Named<TListBoxEx>(dlg, "lbTemplate"), Qt::Key_F7);
            else if (how == "F8")
                QTest::keyClick(Named<TListBoxEx>(dlg, "lbTemplate"), Qt::Key_F8);
            else if (how == "Alt+Up")
                QTest::keyClick(Named<TListBoxEx>(dlg, "lbTemplate"), Qt::Key_Up, Qt::AltModifier);
            else if (how == "Alt+Down")
                QTest::keyClick(Named<TListBoxEx>(dlg, "lbTemplate"), Qt::Key_Down, Qt::AltModifier);
            else
                QTest::keyClick(Named<TListBoxEx>(dlg, "lbTemplate"), Qt::Key_F7, Qt::ShiftModifier);
        };
        const auto order_ = [&] {
            QByteArray letters;
            for (const QByteArray& item : Named<TListBoxEx>(dlg, "lbTemplate")->Items())
                letters += item.left(1);
            return letters;
        };
        act();
        QCOMPARE(order_(), order);
        QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), selected);
        QCOMPARE(QApplication::focusWidget(), Named<TListBoxEx>(dlg, "lbTemplate"));
        act();
        QCOMPARE(order_(), order2);
        QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), selected2);
        Idle();
        if (how.contains("Up") || how == "F7")
            QVERIFY(!Named<TAction>(dlg, "actMoveUp")->Enabled());
        if (how.contains("Down") || how == "F8")
            QVERIFY(!Named<TAction>(dlg, "actMoveDown")->Enabled());
    }

    void arrowKeys_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("selected");
        QTest::newRow("Up on first") << 0 << int(Qt::Key_Up) << 0 << 0 << QList<int>{0};
        QTest::newRow("Left on first") << 0 << int(Qt::Key_Left) << 0 << 0 << QList<int>{0};
        QTest::newRow("Down on last") << 12 << int(Qt::Key_Down) << 0 << 12 << QList<int>{12};
        QTest::newRow("Left steps up") << 3 << int(Qt::Key_Left) << 0 << 2 << QList<int>{2};
        QTest::newRow("Right steps down") << 3 << int(Qt::Key_Right) << 0 << 4 << QList<int>{4};
        QTest::newRow("Shift+Down extends")
            << 3 << int(Qt::Key_Down) << int(Qt::ShiftModifier) << 4 << QList<int>{3, 4};
    }
    void arrowKeys() {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, current);
        QFETCH(QList<int>, selected);
        Open(Defaults());
        ClickItem(start);
        Named<QLineEdit>(dlg, "edTemplate")->setText(QStringLiteral("typed"));
        QTest::keyClick(Named<TListBoxEx>(dlg, "lbTemplate"), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->ItemIndex(), current);
        QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), selected);
        // The key's release shows the current template again.
        QCOMPARE(EditBytes(*dlg), ExtractCaretMarker(Defaults()[current]).text);
    }

    void pasteStopsAtLineBreak() {
        Open(Defaults());
        Named<QLineEdit>(dlg, "edTemplate")->setText(QStringLiteral("ab"));
        QApplication::clipboard()->setText(QStringLiteral("x\r\n0=y"));
        Named<QLineEdit>(dlg, "edTemplate")->paste();
        QCOMPARE(Named<QLineEdit>(dlg, "edTemplate")->text(), QStringLiteral("abx"));
    }

    void reset_data() {
        QTest::addColumn<QList<bool>>("given");
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("restored");
        QTest::newRow("yes yes") << QList<bool>{true, true} << 2 << true;
        QTest::newRow("no") << QList<bool>{false} << 1 << false;
        QTest::newRow("yes no") << QList<bool>{true, false} << 2 << false;
    }
    void reset() {
        QFETCH(QList<bool>, given);
        QFETCH(int, asked);
        QFETCH(bool, restored);
        Open({"x|", "y|", "z|"});
        ClickItem(2);
        Idle();
        QVERIFY(Named<TAction>(dlg, "actInitialize")->Enabled());
        answers = given;
        QTest::mouseClick(Named<QToolButton>(dlg, "sbInitialize"), Qt::LeftButton);
        const QStringList expected = {QStringLiteral("テンプレートのリストを初期状態に戻してもよろしいですか？"),
                                      QStringLiteral("本当によろしいですか？")};
        QCOMPARE(questions, expected.mid(0, asked));
        if (restored) {
            QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Items(), Defaults());
            QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), QList<int>{0});
            QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->ItemIndex(), 0);
            QCOMPARE(EditBytes(*dlg), QByteArray("http://www..co.jp/"));
            QCOMPARE(Named<QLineEdit>(dlg, "edTemplate")->cursorPosition(), 11);
            Idle();
            QVERIFY(!Named<TAction>(dlg, "actInitialize")->Enabled());
        } else {
            QCOMPARE(Named<TListBoxEx>(dlg, "lbTemplate")->Items(), (QList<QByteArray>{"x|", "y|", "z|"}));
            QCOMPARE(SelectedRows(Named<TListBoxEx>(dlg, "lbTemplate")), QList<int>{2});
        }
    }

    void closeStoresList_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("close button") << "button";
        QTest::newRow("Enter in the edit box") << "enter";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("title bar close box") << "close";
    }
    void closeStoresList() {
        QFETCH(QString, how);
        Open(Defaults());
        QTest::keyClick(Named<QLineEdit>(dlg, "edTemplate"), Qt::Key_End);
        QTest::mouseClick(Named<QToolButton>(dlg, "sbAdd"), Qt::LeftButton);
        QCOMPARE(VelGlobals::TemplateList.size(), 13); // untouched while open
        if (how == "button")
            QTest::mouseClick(Named<QPushButton>(dlg, "btnClose"), Qt::LeftButton);
        else if (how == "enter")
            QTest::keyClick(Named<QLineEdit>(dlg, "edTemplate"), Qt::Key_Return);
        else if (how == "esc")
            QTest::keyClick(Named<QLineEdit>(dlg, "edTemplate"), Qt::Key_Escape);
        else
            dlg->close();
        QTRY_VERIFY(!dlg->isVisible());
        QCOMPARE(VelGlobals::TemplateList.size(), 14);
        QCOMPARE(VelGlobals::TemplateList.last(), QByteArray("http://www..co.jp/|"));
    }

    void drawsRedMarker() {
        Open({"http://www.|.co.jp/", "a&b|"});
        const QImage image = Named<TListBoxEx>(dlg, "lbTemplate")->viewport()->grab().toImage();
        const QFontMetrics metrics(Named<TListBoxEx>(dlg, "lbTemplate")->font());
        const auto redColumns = [&](int row) {
            const QRect rect = Named<TListBoxEx>(dlg, "lbTemplate")
                                   ->visualRect(Named<TListBoxEx>(dlg, "lbTemplate")->model()->index(row, 0));
            int left = -1;
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    if (qRed(p) > 180 && qRed(p) - qGreen(p) > 90 && qRed(p) - qBlue(p) > 90)
                        left = left < 0 ? x : qMin(left, x);
                }
            return left;
        };
        const int bar = metrics.horizontalAdvance(u'|');
        const int x0 = 2 + GetTextWidth(metrics, "http://www.");
        QVERIFY(redColumns(0) >= x0 && redColumns(0) < x0 + bar);
        const int x1 = 2 + GetTextWidth(metrics, "a&b"); // "&" is measured though not drawn
        QVERIFY(redColumns(1) >= x1 && redColumns(1) < x1 + bar);
    }

    void realQuestionBox_data() {
        QTest::addColumn<bool>("pressYes");
        QTest::newRow("Enter answers No") << false;
        QTest::newRow("Yes clicked") << true;
    }
    void realQuestionBox() {
        QFETCH(bool, pressYes);
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            checked = box->windowTitle() == QStringLiteral("確認") && box->icon() == QMessageBox::Question &&
                      box->text() == QStringLiteral("本当によろしいですか？") &&
                      box->defaultButton() == box->button(QMessageBox::No) && box->button(QMessageBox::Yes) &&
                      box->buttons().size() == 2;
            if (pressYes)
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            else
                QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(AskConfirmation(QStringLiteral("本当によろしいですか？")), pressYes);
        QVERIFY(checked);
    }
};

QTEST_MAIN(TestEditTemplate)
#include "tst_edittemplate.moc"
