#include "gui/controls/Actions.h"
#include "gui/controls/MoxSpeedButton.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// Counts the double-click events a widget really receives, so the double-click test proves its path.
class TDoubleClickCounter final : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick)
            ++count;
        return false;
    }
};

} // namespace

class TestMoxSpeedButton : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> FWindow;
    QLineEdit* FEdit = nullptr;
    TMoxSpeedButton* FKey = nullptr;
    TMoxSpeedButton* FOther = nullptr;

    QWindow* Window() const { return FWindow->windowHandle(); }
    QPoint On(TMoxSpeedButton* key) const { return key->mapTo(FWindow.get(), key->rect().center()); }
    static QPoint Away() { return QPoint(5, 190); }

    void Press(TMoxSpeedButton* key, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(Window(), button, {}, On(key));
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseRelease(Window(), button, {}, at); }
    void Click(TMoxSpeedButton* key) {
        QTest::mouseMove(Window(), On(key));
        Press(key);
        Release(On(key));
    }

private slots:
    void init() {
        FWindow = std::make_unique<QWidget>();
        FWindow->resize(300, 200);
        FEdit = new QLineEdit(FWindow.get());
        FEdit->setGeometry(5, 5, 200, 25);
        FKey = new TMoxSpeedButton(FWindow.get());
        FKey->setGeometry(10, 60, 50, 23);
        FOther = new TMoxSpeedButton(FWindow.get());
        FOther->setGeometry(70, 60, 50, 23);
        FWindow->show();
        FWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
        FEdit->setFocus();
        QTest::mouseMove(Window(), Away());
    }
    void cleanup() { FWindow.reset(); }

    void pushButton_data() {
        QTest::addColumn<QList<QPoint>>("path"); // pointer positions while held, relative to the key's centre
        QTest::addColumn<bool>("releaseInside");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("downAtRelease");
        QTest::newRow("release inside") << QList<QPoint>{} << true << 1 << true;
        QTest::newRow("move within") << QList<QPoint>{{10, 5}} << true << 1 << true;
        QTest::newRow("drag off") << QList<QPoint>{{0, 40}} << false << 0 << false;
        QTest::newRow("drag off and back") << QList<QPoint>{{0, 40}, {0, 0}} << true << 1 << false;
    }
    void pushButton() {
        QFETCH(QList<QPoint>, path);
        QFETCH(bool, releaseInside);
        QFETCH(int, clicks);
        QFETCH(bool, downAtRelease);
        QSignalSpy clicked(FKey, &TMoxSpeedButton::Click);
        QSignalSpy exited(FKey, &TMoxSpeedButton::MouseExit);
        bool downInClick = false;
        connect(FKey, &TMoxSpeedButton::Click, this, [&] { downInClick = FKey->Down(); });
        QTest::mouseMove(Window(), On(FKey));
        QVERIFY(FKey->MouseInside());
        Press(FKey);
        QVERIFY(FKey->Down());
        QPoint last = On(FKey);
        for (const QPoint& step : path) {
            last = On(FKey) + step;
            QTest::mouseMove(Window(), last);
        }
        if (!path.isEmpty() && path.first().y() == 40)
            QCOMPARE(exited.count(), 1); // leaving while held pops the key up at once
        QCOMPARE(FKey->Down(), downAtRelease);
        Release(releaseInside ? last : On(FKey) + QPoint(0, 40));
        QCOMPARE(clicked.count(), clicks);
        if (clicks)
            QCOMPARE(downInClick, downAtRelease);
        QVERIFY(!FKey->Down());
        QCOMPARE(exited.count(), releaseInside ? int(path.size() > 1) : 1);
    }

    void releaseInsideMouseDownLoop() {
        // Press-and-hold keys run a loop inside their mouse-down handler until the key comes up again.
        QSignalSpy clicked(FKey, &TMoxSpeedButton::Click);
        QSignalSpy released(FKey, &TMoxSpeedButton::MouseUp);
        bool loopEnded = false;
        connect(FKey, &TMoxSpeedButton::MouseDown, this, [&] {
            QTimer::singleShot(0, this, [&] { Release(On(FKey)); });
            QElapsedTimer timer;
            timer.start();
            while (FKey->Down() && timer.elapsed() < 5000)
                QCoreApplication::processEvents();
            loopEnded = !FKey->Down();
            QCOMPARE(released.count(), 1);
        });
        QTest::mouseMove(Window(), On(FKey));
        Press(FKey);
        QVERIFY(loopEnded);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(released.count(), 1);
    }

    void hotTracking() {
        QSignalSpy entered(FKey, &TMoxSpeedButton::MouseEnter);
        QSignalSpy exited(FKey, &TMoxSpeedButton::MouseExit);
        QTest::mouseMove(Window(), On(FKey));
        QCOMPARE(entered.count(), 1);
        QVERIFY(FKey->MouseInside());
        QCOMPARE(FKey->HotLevel(), 8);
        QTest::mouseMove(Window(), Away());
        QCOMPARE(exited.count(), 1);
        QVERIFY(!FKey->MouseInside());
        QCOMPARE(FKey->HotLevel(), 0);
    }

    void rightButtonDoesNothing() {
        QSignalSpy pressed(FKey, &TMoxSpeedButton::MouseDown);
        QSignalSpy clicked(FKey, &TMoxSpeedButton::Click);
        FKey->SetGroupIndex(1);
        FKey->SetAllowAllUp(true);
        QTest::mouseMove(Window(), On(FKey));
        Press(FKey, Qt::RightButton);
        QVERIFY(!FKey->Down());
        Release(On(FKey), Qt::RightButton);
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!FKey->Down());
    }

    void toggleWithAllowAllUp() {
        FKey->SetGroupIndex(1);
        FKey->SetAllowAllUp(true);
        QList<bool> seenInMouseDown;
        connect(FKey, &TMoxSpeedButton::MouseDown, this, [&](TMoxSpeedButton* sender) {
            QCOMPARE(sender, FKey);
            seenInMouseDown.append(FKey->Down());
        });
        QList<bool> after;
        for (int i = 0; i < 3; ++i) {
            Click(FKey);
            after.append(FKey->Down());
        }
        QCOMPARE(seenInMouseDown, (QList<bool>{true, false, true}));
        QCOMPARE(after, (QList<bool>{true, false, true}));
    }

    void groupWithoutAllowAllUp() {
        FKey->SetGroupIndex(1);
        FOther->SetGroupIndex(1);
        QSignalSpy clicked(FKey, &TMoxSpeedButton::Click);
        Click(FKey);
        QVERIFY(FKey->Down());
        Click(FKey); // a second press keeps it down
        QVERIFY(FKey->Down());
        QCOMPARE(clicked.count(), 2);
        Click(FOther);
        QVERIFY(FOther->Down());
        QVERIFY(!FKey->Down());
    }

    void setDownReleasesItsGroupOnly() {
        auto* elsewhere = new TMoxSpeedButton(FEdit); // same group index, other parent
        auto* otherGroup = new TMoxSpeedButton(FWindow.get());
        elsewhere->SetGroupIndex(3);
        otherGroup->SetGroupIndex(4);
        elsewhere->SetDown(true);
        otherGroup->SetDown(true);
        // Both down before they share a group; releasing them must not recurse endlessly.
        FKey->SetDown(true);
        FOther->SetDown(true);
        FKey->SetGroupIndex(3);
        FOther->SetGroupIndex(3);
        FKey->SetDown(false);
        QVERIFY(!FKey->Down() && !FOther->Down());
        FOther->SetDown(true);
        FKey->SetDown(true);
        QVERIFY(FKey->Down() && !FOther->Down());
        QVERIFY(elsewhere->Down() && otherGroup->Down());
    }

    void doubleClickIsTwoClicks() {
        TDoubleClickCounter counter;
        FKey->installEventFilter(&counter);
        QSignalSpy clicked(FKey, &TMoxSpeedButton::Click);
        QSignalSpy pressed(FKey, &TMoxSpeedButton::MouseDown);
        QTest::mouseMove(Window(), On(FKey));
        QTest::mouseDClick(Window(), Qt::LeftButton, {}, On(FKey));
        QCOMPARE(counter.count, 1);
        QCOMPARE(pressed.count(), 2);
        QCOMPARE(clicked.count(), 2);
        QVERIFY(!FKey->Down());
    }

    void disabledGetsNoPress() {
        QSignalSpy clicked(FKey, &TMoxSpeedButton::Click);
        QSignalSpy pressed(FKey, &TMoxSpeedButton::MouseDown);
        FKey->setEnabled(false);
        QTest::mouseMove(Window(), On(FKey));
        QVERIFY(!FKey->MouseInside());
        Press(FKey);
        QVERIFY(!FKey->Down());
        Release(On(FKey));
        QTest::mouseDClick(Window(), Qt::LeftButton, {}, On(FKey));
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(pressed.count(), 0);
    }

    void disabledWhileHeld() {
        QTest::mouseMove(Window(), On(FKey));
        Press(FKey);
        QVERIFY(FKey->Down());
        FKey->setEnabled(false);
        Release(On(FKey));
        FKey->setEnabled(true);
        QVERIFY(!FKey->Down());
    }

    void neverTakesFocus() {
        QCOMPARE(QApplication::focusWidget(), FEdit);
        FEdit->setText(QStringLiteral("abc"));
        FEdit->setCursorPosition(1);
        QSignalSpy clicked(FKey, &TMoxSpeedButton::Click);
        Click(FKey);
        QTest::mouseDClick(Window(), Qt::LeftButton, {}, On(FKey));
        QCOMPARE(clicked.count(), 3);
        QCOMPARE(FKey->focusPolicy(), Qt::NoFocus);
        QCOMPARE(QApplication::focusWidget(), FEdit);
        QCOMPARE(FEdit->cursorPosition(), 1);
    }

    void actionBinding() {
        TAction action(QStringLiteral("actToClip"));
        action.SetCaption(QStringLiteral("Copy"));
        action.SetHint(QStringLiteral("クリップボードにコピー"));
        int executed = 0;
        bool allow = true;
        action.OnUpdate = [&](TAction* a) { a->SetEnabled(allow); };
        action.OnExecute = [&](TAction*) { ++executed; };
        QSignalSpy clicked(FKey, &TMoxSpeedButton::Click);
        FKey->SetAction(&action);
        QCOMPARE(FKey->Caption(), QStringLiteral("Copy"));
        QCOMPARE(FKey->Hint(), QStringLiteral("クリップボードにコピー"));
        QCOMPARE(FKey->toolTip(), QStringLiteral("クリップボードにコピー"));
        QVERIFY(FKey->isEnabled());

        Click(FKey);
        QCOMPARE(executed, 1);
        QCOMPARE(clicked.count(), 0); // the action takes the click

        action.SetCaption(QStringLiteral("Copy2"));
        action.SetHint(QStringLiteral("h"));
        QCOMPARE(FKey->Caption(), QStringLiteral("Copy2"));
        QCOMPARE(FKey->Hint(), QStringLiteral("h"));

        allow = false;
        action.Update();
        QVERIFY(!FKey->isEnabled());
        Click(FKey);
        QCOMPARE(executed, 1);

        allow = true;
        action.Update();
        QVERIFY(FKey->isEnabled());
        FKey->SetAction(nullptr);
        action.SetCaption(QStringLiteral("gone"));
        QCOMPARE(FKey->Caption(), QStringLiteral("Copy2"));
        Click(FKey);
        QCOMPARE(executed, 1);
        QCOMPARE(clicked.count(), 1);
    }

    void glyphs() {
        QPixmap strip(32, 16);
        strip.fill(Qt::blue);
        FOther->SetGlyph(strip);
        QCOMPARE(FOther->NumGlyphs(), 2);
        QPixmap red(16, 16);
        red.fill(Qt::red);
        TMoxSpeedButton::SetActionImages({red});
        TAction action(QStringLiteral("actImage"));
        action.SetImageIndex(0);
        FKey->SetAction(&action);
        QCOMPARE(FKey->NumGlyphs(), 1);
        QCOMPARE(FKey->Glyph().toImage().pixelColor(3, 3), QColor(Qt::red));

        FOther->SetAction(&action);
        QCOMPARE(FOther->NumGlyphs(), 2); // a key's own glyph stays
        QCOMPARE(FOther->Glyph().toImage().pixelColor(3, 3), QColor(Qt::blue));

        action.SetImageIndex(5); // beyond the list: nothing
        auto* third = new TMoxSpeedButton(FWindow.get());
        third->SetAction(&action);
        QCOMPARE(third->NumGlyphs(), 0);
        TMoxSpeedButton::SetActionImages({});
        FOther->SetGlyph(QPixmap());
        QCOMPARE(FOther->NumGlyphs(), 0);
    }

    void accelerator_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::newRow("alt + letter") << QStringLiteral("&Go") << true << 1;
        QTest::newRow("disabled") << QStringLiteral("&Go") << false << 0;
        QTest::newRow("other letter") << QStringLiteral("G&o") << true << 0;
        QTest::newRow("double ampersand") << QStringLiteral("&&Go") << true << 0;
    }
    void accelerator() {
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        FKey->SetCaption(caption);
        FKey->setEnabled(enabled);
        bool downInClick = false;
        QSignalSpy clicked(FKey, &TMoxSpeedButton::Click);
        connect(FKey, &TMoxSpeedButton::Click, this, [&] { downInClick = FKey->Down(); });
        QTest::keyClick(FEdit, Qt::Key_G, Qt::AltModifier);
        QCOMPARE(clicked.count(), clicks);
        if (clicks)
            QVERIFY(downInClick); // shown down while it runs
        QVERIFY(!FKey->Down());
        QCOMPARE(QApplication::focusWidget(), FEdit);
    }

    // A left click opens the key's menu below it and still runs the click; nothing else opens it.
    // The menu opens below the key and the click waits for it: chosen item first, then the click; nothing while
    // the menu is open.
    void popupMenu_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("releaseAt"); // from the key's centre
        QTest::addColumn<bool>("menuDeleted");
        QTest::addColumn<bool>("choose"); // the item is chosen; else the menu is closed without a choice
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QStringList>("order");
        const QStringList chosenThenClick{QStringLiteral("item"), QStringLiteral("click")};
        QTest::newRow("item chosen") << Qt::LeftButton << QPoint() << false << true << true << chosenThenClick;
        QTest::newRow("menu closed") << Qt::LeftButton << QPoint() << false << false << true
                                     << QStringList{QStringLiteral("click")};
        QTest::newRow("released off the key")
            << Qt::LeftButton << QPoint(0, 40) << false << false << false << QStringList();
        QTest::newRow("right click") << Qt::RightButton << QPoint() << false << false << false << QStringList();
        QTest::newRow("menu deleted") << Qt::LeftButton << QPoint() << true << false << false
                                      << QStringList{QStringLiteral("click")};
    }
    void popupMenu() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, releaseAt);
        QFETCH(bool, menuDeleted);
        QFETCH(bool, choose);
        QFETCH(bool, shown);
        QFETCH(QStringList, order);
        auto menu = std::make_unique<QMenu>();
        QAction* item = menu->addAction(QStringLiteral("item"));
        QStringList seen;
        connect(item, &QAction::triggered, this, [&] { seen << QStringLiteral("item"); });
        connect(FKey, &TMoxSpeedButton::Click, this, [&] { seen << QStringLiteral("click"); });
        QPointer<QMenu> watch(menu.get());
        FKey->SetPopupMenu(menu.get());
        if (menuDeleted)
            menu.reset();
        bool wasShown = false;
        QPoint shownAt;
        QStringList seenWhileShown;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (!watch || !watch->isVisible())
                return;
            answer.stop();
            wasShown = true;
            shownAt = watch->pos();
            seenWhileShown = seen;
            if (choose)
                item->trigger();
            watch->close();
        });
        answer.start(10);
        QTest::mouseMove(Window(), On(FKey));
        Press(FKey, button);
        Release(On(FKey) + releaseAt, button);
        QCOMPARE(wasShown, shown);
        QCOMPARE(seenWhileShown, QStringList());
        QCOMPARE(seen, order);
        if (shown)
            QCOMPARE(shownAt, FKey->mapToGlobal(QPoint(0, FKey->height())));
    }

    // Moves are reported over the key, and off it only while a press on it is held; a disabled key reports none.
    void mouseMove_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QList<QPoint>>("reported"); // moves to (5, 5) and then to (5, 40) of the key
        QTest::newRow("hovering") << true << false << QList<QPoint>{{5, 5}};
        QTest::newRow("held and dragged off") << true << true << QList<QPoint>{{5, 5}, {5, 40}};
        QTest::newRow("disabled") << false << false << QList<QPoint>{};
    }
    void mouseMove() {
        QFETCH(bool, enabled);
        QFETCH(bool, held);
        QFETCH(QList<QPoint>, reported);
        FKey->setEnabled(enabled);
        QList<QPoint> seen;
        connect(FKey, &TMoxSpeedButton::MouseMove, this, [&](TMoxSpeedButton* sender, QPoint pos) {
            QCOMPARE(sender, FKey);
            seen.append(pos);
        });
        const QPoint origin = FKey->mapTo(FWindow.get(), QPoint());
        QTest::mouseMove(Window(), origin + QPoint(5, 5));
        if (held)
            QTest::mousePress(Window(), Qt::LeftButton, {}, origin + QPoint(5, 5));
        QTest::mouseMove(Window(), origin + QPoint(5, 40));
        if (held)
            Release(origin + QPoint(5, 40));
        QCOMPARE(seen, reported);
    }

    void paintsItsFace() {
        QPalette palette = FWindow->palette();
        palette.setColor(QPalette::Window, QColor(0x9D, 0xB9, 0xEB));
        FWindow->setPalette(palette);
        QCOMPARE(FKey->Color(), QColor(0x9D, 0xB9, 0xEB)); // the parent's colour until one is set
        QCOMPARE(FKey->grab().toImage().pixelColor(20, 10), QColor(0x9D, 0xB9, 0xEB));
        FKey->SetColor(QColor(0xD8, 0xE4, 0xF8));
        FKey->SetHotTrackColor(QColor(0x6B, 0xDD, 0xFA));
        QCOMPARE(FKey->grab().toImage().pixelColor(20, 10), QColor(0xD8, 0xE4, 0xF8));
        QTest::mouseMove(Window(), On(FKey));
        QCOMPARE(FKey->grab().toImage().pixelColor(20, 10), QColor(0x6B, 0xDD, 0xFA));
        FKey->SetShadowColor(QColor(0x00, 0x4E, 0x98));
        QCOMPARE(FKey->grab().toImage().pixelColor(49, 0), QColor(0x00, 0x4E, 0x98));
    }
};

QTEST_MAIN(TestMoxSpeedButton)
#include "tst_moxspeedbutton.moc"
