#include "core/templates/TemplateList.h"
#include "core/text/ShiftJis.h"
#include "gui/templates/TemplateDraw.h"
#include "gui/templates/TemplateMenu.h"

#include "gui/controls/Fonts.h"
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>

#include <QTest>

namespace {

QList<QByteArray> Templates(int count) {
    QList<QByteArray> list;
    for (int i = 0; i < count; ++i)
        list.append("http://www.|t" + QByteArray::number(i) + ".jp/");
    return list;
}

QString Caption(const char* key, int index) {
    return QString::fromUtf8(key) + QStringLiteral("：http://www.|t") + QString::number(index) + QStringLiteral(".jp/");
}

bool IsRed(QRgb pixel) {
    return qRed(pixel) > 180 && qRed(pixel) - qGreen(pixel) > 90 && qRed(pixel) - qBlue(pixel) > 90;
}

// Leftmost and rightmost column holding a red pixel within rows top..bottom; (-1, -1) when there is none.
QPair<int, int> RedColumns(const QImage& image, int top, int bottom) {
    int left = -1, right = -1;
    for (int y = qMax(0, top); y <= bottom && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsRed(image.pixel(x, y))) {
                left = left < 0 ? x : qMin(left, x);
                right = qMax(right, x);
            }
    return {left, right};
}

} // namespace

class TestTemplateMenu : public QObject {
    Q_OBJECT

    QMenu* tmiTemplate = nullptr;
    TTemplateMenu* templateMenu = nullptr;
    QAction* addItem = nullptr;
    QAction* editItem = nullptr;
    QObject* owner = nullptr;

private slots:
    void initTestCase() { MapWindowsFonts(); }

    void init() {
        owner = new QObject;
        tmiTemplate = new QMenu(QStringLiteral("テンプレート(&T)"));
        addItem = new QAction(QStringLiteral("テンプレートに追加(&U)"), owner);
        editItem = new QAction(QStringLiteral("テンプレートの編集(&T)"), owner);
        templateMenu = new TTemplateMenu(tmiTemplate, owner);
        templateMenu->SetFixedItems(addItem, editItem);
    }

    void cleanup() {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        delete owner;
        delete tmiTemplate;
    }

    void pages_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("perPage");
        QTest::newRow("empty") << 0 << QList<int>{0};
        QTest::newRow("default 13") << 13 << QList<int>{13};
        QTest::newRow("15") << 15 << QList<int>{15};
        QTest::newRow("16") << 16 << QList<int>{15, 1};
        QTest::newRow("31") << 31 << QList<int>{15, 15, 1};
        QTest::newRow("40") << 40 << QList<int>{15, 15, 10};
    }
    // Walks the pages as the user does, opening each next page with "N".
    void pages() {
        QFETCH(int, count);
        QFETCH(QList<int>, perPage);
        templateMenu->BuildTemplateMenu(Templates(count));
        QCOMPARE(templateMenu->PageCount(), perPage.size());
        static const char* keys[] = {"&1", "&2", "&3", "&4", "&5", "&6", "&7", "&8",
                                     "&9", "&A", "&B", "&C", "&D", "&E", "&F"};
        tmiTemplate->popup(QPoint(10, 10));
        QTRY_COMPARE(QApplication::activePopupWidget(), tmiTemplate);
        int index = 0;
        for (int p = 0; p < perPage.size(); ++p) {
            auto* page = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(page);
            const QList<QAction*> items = page->actions();
            const bool last = p + 1 == perPage.size();
            const int fixed = (last ? 0 : 1) + (p == 0 ? 3 : 0);
            QCOMPARE(items.size(), perPage[p] + fixed);
            for (int i = 0; i < perPage[p]; ++i, ++index) {
                QCOMPARE(items[i]->text(), Caption(keys[i], index));
                QCOMPARE(items[i]->data().toInt(), index);
            }
            const int next = perPage[p];
            if (p == 0) {
                QVERIFY(items[next + (last ? 0 : 1)]->isSeparator());
                QCOMPARE(items[next + (last ? 1 : 2)], addItem);
                QCOMPARE(items[next + (last ? 2 : 3)], editItem);
            }
            if (!last) {
                QCOMPARE(items[next]->text(), QStringLiteral("      << 次を表示(&N) >>"));
                QVERIFY(items[next]->menu());
                QTest::keyClick(page, 'n');
                QTRY_COMPARE(QApplication::activePopupWidget(), items[next]->menu());
            }
        }
        QCOMPARE(index, count);
    }

    void rebuildFreesOldItems() {
        templateMenu->BuildTemplateMenu(Templates(40));
        emit templateMenu->Pages().at(1)->aboutToShow(); // opening page 2 fills page 3
        QPointer<QMenu> page3 = templateMenu->Pages().at(2);
        QPointer<QAction> firstItem = tmiTemplate->actions().first();
        QPointer<QAction> deepItem = page3->actions().first();
        templateMenu->BuildTemplateMenu(Templates(2));
        QVERIFY(!page3);
        QVERIFY(!firstItem);
        QVERIFY(!deepItem);
        QCOMPARE(tmiTemplate->actions().size(), 5);
        QCOMPARE(tmiTemplate->actions().at(3), addItem);
        QCOMPARE(tmiTemplate->actions().at(4), editItem);
        // The items of the old list's third page are gone; the menu shows the new list.
        QCOMPARE(tmiTemplate->actions().at(1)->text(), Caption("&2", 1));
    }

    void keyboard_data() {
        QTest::addColumn<QByteArray>("keys"); // typed one after another, each into the popup open at that time
        QTest::addColumn<int>("clicked");     // template index, -1 none
        QTest::addColumn<QString>("fixed");   // "add", "edit" or empty
        QTest::newRow("3 picks the third") << QByteArray("3") << 2 << QString();
        QTest::newRow("A picks the tenth") << QByteArray("a") << 9 << QString();
        QTest::newRow("N then 1") << QByteArray("N1") << 15 << QString();
        QTest::newRow("N N 2") << QByteArray("nn2") << 31 << QString();
        QTest::newRow("U adds") << QByteArray("u") << -1 << QStringLiteral("add");
        QTest::newRow("T edits") << QByteArray("t") << -1 << QStringLiteral("edit");
    }
    void keyboard() {
        QFETCH(QByteArray, keys);
        QFETCH(int, clicked);
        QFETCH(QString, fixed);
        templateMenu->BuildTemplateMenu(Templates(40));
        QSignalSpy clicks(templateMenu, &TTemplateMenu::TemplateItemClick);
        QSignalSpy adds(addItem, &QAction::triggered);
        QSignalSpy edits(editItem, &QAction::triggered);
        tmiTemplate->popup(QPoint(10, 10));
        QTRY_COMPARE(QApplication::activePopupWidget(), tmiTemplate);
        for (char key : keys) {
            QWidget* popup = QApplication::activePopupWidget();
            QVERIFY(popup);
            QTest::keyClick(popup, key);
            if (key == 'n' || key == 'N')
                QTRY_VERIFY(QApplication::activePopupWidget() != popup);
        }
        QTRY_COMPARE(clicks.size() + adds.size() + edits.size(), 1);
        QCOMPARE(clicks.isEmpty() ? -1 : clicks.first().first().toInt(), clicked);
        QCOMPARE(adds.size(), fixed == QStringLiteral("add") ? 1 : 0);
        QCOMPARE(edits.size(), fixed == QStringLiteral("edit") ? 1 : 0);
    }

    void draw_data() {
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<QByteArray>("before"); // what stands before the red bar, "&" included
        QTest::addColumn<bool>("selected");
        QTest::newRow("middle") << QByteArray("&1\x81\x46http://www.|.co.jp/") << QByteArray("&1\x81\x46http://www.")
                                << false;
        QTest::newRow("middle selected") << QByteArray("&1\x81\x46http://www.|.co.jp/")
                                         << QByteArray("&1\x81\x46http://www.") << true;
        QTest::newRow("marker last") << QByteArray("&2\x81\x46http://www.q/|") << QByteArray("&2\x81\x46http://www.q/")
                                     << false;
        QTest::newRow("no marker") << QByteArray("&3\x81\x46http://q/") << QByteArray() << false;
        QTest::newRow("po bar x") << QByteArray("&4\x81\x46\x83\x7c\x7cx") << QByteArray("&4\x81\x46\x83\x7c") << false;
    }
    void draw() {
        QFETCH(QByteArray, caption);
        QFETCH(QByteArray, before);
        QFETCH(bool, selected);
        QImage image(400, 24, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QRect rect(0, 0, 400, 24);
        const QFont font = TTemplateMenuStyle::TemplateItemFont(QFont());
        {
            QPainter painter(&image);
            TTemplateMenuStyle::TemplateItemDraw(painter, rect, QFont(), caption,
                                                 selected ? QBrush(QColor(0, 0, 128)) : QBrush(Qt::white),
                                                 selected ? Qt::white : Qt::black);
        }
        const QFontMetrics metrics(font);
        const int barX = 21 + 2 + GetTextWidth(metrics, before) - 8;
        const auto [left, right] = RedColumns(image, 0, 23);
        QVERIFY2(left >= barX - 1 && right <= barX + metrics.horizontalAdvance(u'|') + 1,
                 qPrintable(QStringLiteral("red at %1..%2, bar expected at %3").arg(left).arg(right).arg(barX)));
        QVERIFY(left >= 0);
        if (selected)
            QCOMPARE(QColor(image.pixel(2, 2)), QColor(0, 0, 128));
    }

    void openMenuShowsRedMarkers() {
        templateMenu->BuildTemplateMenu(QList<QByteArray>{"http://www.|.co.jp/", "abc"} + Templates(14));
        tmiTemplate->popup(QPoint(10, 10));
        QTRY_COMPARE(QApplication::activePopupWidget(), tmiTemplate);
        const QImage image = tmiTemplate->grab().toImage();
        const QList<QAction*> items = tmiTemplate->actions();
        const QRect first = tmiTemplate->actionGeometry(items[0]);
        const QRect nextItem = tmiTemplate->actionGeometry(items[15]);
        QVERIFY(RedColumns(image, first.top(), first.bottom()).first > first.left() + 21);
        // Without a marker the red bar stands first, 8 pixels left of where captions start.
        const QRect second = tmiTemplate->actionGeometry(items[1]);
        const QFont font = TTemplateMenuStyle::TemplateItemFont(tmiTemplate->font());
        const int barWidth = QFontMetrics(font).horizontalAdvance(u'|');
        const auto [barLeft, barRight] = RedColumns(image, second.top(), second.bottom());
        QVERIFY(barLeft >= second.left() + 15 && barRight < second.left() + 15 + barWidth);
        QCOMPARE(RedColumns(image, nextItem.top(), nextItem.bottom()).first, -1);
        // Wide enough for the whole caption in the template font.
        QVERIFY(first.width() >= QFontMetrics(font).horizontalAdvance(items[0]->text()) + 15);
    }
};

QTEST_MAIN(TestTemplateMenu)
#include "tst_templatemenu.moc"
