#include "core/settings/VelGlobals.h"
#include "gui/controls/HintWindowXP.h"
#include "gui/main/Main.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

// When a condition first held, in steps fine enough to time a half-second delay.
template <typename Condition> qint64 WaitUntil(const QElapsedTimer& clock, Condition condition) {
    while (!condition() && clock.elapsed() < 15000)
        QTest::qWait(5);
    return clock.elapsed();
}

// Where the ink of a picture lies: the smallest rectangle holding every pixel within that is not the ground.
QRect Ink(const QImage& image, const QColor& ground, const QRect& within) {
    QRect ink;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (image.pixelColor(x, y) != ground)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// The ink of a text drawn at 0, 0 on its own, plainly: where its glyphs lie inside their box.
QRect TextInk(const QFont& font, const QString& text) {
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    return Ink(image, Qt::white, image.rect());
}

// A font whose sizes are known: IPAGothic at 12 pixels, 6 pixels to a half-width character and 12 to a
// full-width one, 13 to a line.
QFont Gothic12() {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(12);
    return font;
}

// A window with two buttons that have hints, the pointer resting away from both.
struct TTwoButtons {
    QWidget window;
    QPushButton* first = new QPushButton(QStringLiteral("1"), &window);
    QPushButton* second = new QPushButton(QStringLiteral("2"), &window);
    TTwoButtons() {
        window.resize(300, 100);
        first->setGeometry(10, 10, 50, 30);
        first->setToolTip(QStringLiteral("first hint"));
        second->setGeometry(60, 10, 50, 30);
        second->setToolTip(QStringLiteral("second hint"));
        window.show();
    }
    // The pointer leaves the buttons, and the time in which a next hint would follow at once runs out.
    ~TTwoButtons() {
        QTest::mouseMove(&window, QPoint(250, 80));
        QTest::qWait(400);
    }
};

} // namespace

class TestHintWindowXP : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { THintManager::Install(); }
    void windowIsTheTextWithItsMargins_data();
    void windowIsTheTextWithItsMargins();
    void placedBelowThePointerOnTheScreen_data();
    void placedBelowThePointerOnTheScreen();
    void nextHintFollowsWithoutTheDelay_data();
    void nextHintFollowsWithoutTheDelay();
    void inputHidesTheHint_data();
    void inputHidesTheHint();
    void showsAfterHalfASecondAndHidesAfterTwoAndAHalf();
    void mainWindowShowsHintsOnlyWithShowToolTip_data();
    void mainWindowShowsHintsOnlyWithShowToolTip();
};

void TestHintWindowXP::windowIsTheTextWithItsMargins_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxWidth");
    QTest::addColumn<QSize>("size");
    QTest::newRow("one line") << QStringLiteral("ハイフン") << 1000 << QSize(58, 19);
    QTest::newRow("ampersands shown as they are") << QStringLiteral("AT&&T & &x") << 1000 << QSize(70, 19);
    QTest::newRow("wraps at word breaks") << QStringLiteral("one two three four five six") << 60 << QSize(70, 45);
}

void TestHintWindowXP::windowIsTheTextWithItsMargins() {
    QFETCH(QString, text);
    QFETCH(int, maxWidth);
    QFETCH(QSize, size);
    THintWindowXP window;
    window.setFont(Gothic12());
    QCOMPARE(THintWindowXP::CalcHintRect(window.font(), maxWidth, text), QRect(QPoint(0, 0), size));

    // A frame of one pixel in the text colour, then four of background, then the text.
    window.ActivateHint(QPoint(100, 100), text);
    const QImage image = window.grab().toImage();
    const QColor frame = window.palette().color(QPalette::ToolTipText);
    const QColor ground = window.palette().color(QPalette::ToolTipBase);
    const int w = image.width(), h = image.height();
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        QCOMPARE(image.pixelColor(corner), frame);
    const QRect inside(1, 1, w - 2, h - 2);
    const QRect ink = Ink(image, ground, inside);
    QCOMPARE(ink, TextInk(window.font(), text).translated(5, 5));
    QCOMPARE(Ink(image, ground, QRect(1, 1, w - 2, 4)), QRect()); // nothing in the margin above the text
    QCOMPARE(Ink(image, ground, QRect(1, 1, 4, h - 2)), QRect());
}

// The hint's top-left corner for a pointer at a place on the 800 x 800 screen: 20 pixels below the pointer,
// pulled in at the right edge, and above the pointer (its bottom row just over the pointer's tip) where it
// would cross the bottom edge.
void TestHintWindowXP::placedBelowThePointerOnTheScreen_data() {
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QPoint>("topLeft");
    // The window is 58 x 19.
    QTest::newRow("below the pointer") << QPoint(100, 100) << QPoint(100, 120);
    QTest::newRow("against the right edge") << QPoint(742, 100) << QPoint(742, 120);
    QTest::newRow("one past the right edge") << QPoint(743, 100) << QPoint(742, 120);
    QTest::newRow("left of the screen") << QPoint(-30, 100) << QPoint(0, 120);
    QTest::newRow("against the bottom edge") << QPoint(100, 761) << QPoint(100, 781);
    QTest::newRow("one past the bottom edge") << QPoint(100, 762) << QPoint(100, 743);
    QTest::newRow("bottom right corner") << QPoint(790, 790) << QPoint(742, 771);
}

void TestHintWindowXP::placedBelowThePointerOnTheScreen() {
    QFETCH(QPoint, cursor);
    QFETCH(QPoint, topLeft);
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 800));
    THintWindowXP window;
    window.setFont(Gothic12());
    window.ActivateHint(cursor, QStringLiteral("ハイフン"));
    QCOMPARE(window.geometry(), QRect(topLeft, QSize(58, 19)));
}

// Moving straight from one control to the next shows the next hint at once; after a pause the delay
// comes back.
void TestHintWindowXP::nextHintFollowsWithoutTheDelay_data() {
    QTest::addColumn<int>("pause"); // milliseconds with the pointer on neither button
    QTest::addColumn<bool>("atOnce");
    QTest::newRow("straight on") << -1 << true;
    QTest::newRow("through the gap at once") << 0 << true;
    QTest::newRow("after a pause") << 700 << false;
}

void TestHintWindowXP::nextHintFollowsWithoutTheDelay() {
    QFETCH(int, pause);
    QFETCH(bool, atOnce);
    TTwoButtons buttons;
    QVERIFY(QTest::qWaitForWindowExposed(&buttons.window));
    THintWindowXP* hint = THintManager::Instance()->Window();
    QTest::mouseMove(&buttons.window, QPoint(250, 80));
    QTest::mouseMove(buttons.first, QPoint(25, 15));
    QTRY_VERIFY_WITH_TIMEOUT(hint->isVisible(), 5000);
    QCOMPARE(hint->Hint(), QStringLiteral("first hint"));
    if (pause >= 0) {
        QTest::mouseMove(&buttons.window, QPoint(250, 80));
        QVERIFY(!hint->isVisible());
        QTest::qWait(pause);
    }
    QElapsedTimer clock;
    clock.start();
    QTest::mouseMove(buttons.second, QPoint(25, 15));
    const qint64 shownAt = WaitUntil(clock, [hint] { return hint->isVisible(); });
    QCOMPARE(hint->Hint(), QStringLiteral("second hint"));
    if (atOnce)
        QVERIFY2(shownAt < 400, qPrintable(QString::number(shownAt)));
    else
        QVERIFY2(shownAt >= 450, qPrintable(QString::number(shownAt)));
}

// A key press or a mouse press hides a hint that shows; the pointer resting on does not.
void TestHintWindowXP::inputHidesTheHint_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("key press") << "key" << true;
    QTest::newRow("mouse press") << "press" << true;
    QTest::newRow("resting on") << "none" << false;
}

void TestHintWindowXP::inputHidesTheHint() {
    QFETCH(QString, input);
    QFETCH(bool, hidden);
    TTwoButtons buttons;
    QVERIFY(QTest::qWaitForWindowExposed(&buttons.window));
    THintWindowXP* hint = THintManager::Instance()->Window();
    QTest::mouseMove(&buttons.window, QPoint(250, 80));
    QTest::mouseMove(buttons.first, QPoint(25, 15));
    QTRY_VERIFY_WITH_TIMEOUT(hint->isVisible(), 5000);
    if (input == "key")
        QTest::keyClick(&buttons.window, Qt::Key_A);
    else if (input == "press")
        QTest::mousePress(buttons.first, Qt::LeftButton, {}, QPoint(25, 15));
    QTest::qWait(100);
    QCOMPARE(hint->isVisible(), !hidden);
    if (input == "press")
        QTest::mouseRelease(buttons.first, Qt::LeftButton, {}, QPoint(25, 15));
}

void TestHintWindowXP::showsAfterHalfASecondAndHidesAfterTwoAndAHalf() {
    QWidget window;
    window.resize(200, 100);
    auto* button = new QPushButton(QStringLiteral("x"), &window);
    button->setGeometry(10, 10, 50, 30);
    button->setToolTip(QStringLiteral("a hint"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    THintWindowXP* hint = THintManager::Instance()->Window();

    QElapsedTimer clock;
    QTest::mouseMove(&window, QPoint(150, 80));
    QTest::mouseMove(button, button->rect().center());
    clock.start();
    const qint64 shownAt = WaitUntil(clock, [hint] { return hint->isVisible(); });
    QCOMPARE(hint->Hint(), QStringLiteral("a hint"));
    const qint64 hiddenAt = WaitUntil(clock, [hint] { return !hint->isVisible(); });
    QVERIFY2(shownAt >= 450 && shownAt < 2000, qPrintable(QString::number(shownAt)));
    QVERIFY2(hiddenAt - shownAt >= 2300 && hiddenAt - shownAt < 6000, qPrintable(QString::number(hiddenAt - shownAt)));
    QTest::mouseMove(&window, QPoint(150, 80));
}

void TestHintWindowXP::mainWindowShowsHintsOnlyWithShowToolTip_data() {
    QTest::addColumn<bool>("showToolTip");
    QTest::newRow("ShowToolTip=0") << false;
    QTest::newRow("ShowToolTip on") << true;
}

void TestHintWindowXP::mainWindowShowsHintsOnlyWithShowToolTip() {
    QFETCH(bool, showToolTip);
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("Velmarinth.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(showToolTip ? "" : "[Option]\r\nShowToolTip=0\r\n");
    ini.close();
    TfrmMain frmMain(dir.path());
    frmMain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frmMain));
    auto* key = frmMain.findChild<QWidget*>(QStringLiteral("sbHyphen"));
    QVERIFY(key);
    THintWindowXP* hint = THintManager::Instance()->Window();
    QTest::mouseMove(&frmMain, QPoint(2, 2));
    QTest::mouseMove(key, key->rect().center());
    if (showToolTip) {
        QTRY_VERIFY_WITH_TIMEOUT(hint->isVisible(), 5000);
        QCOMPARE(hint->Hint(), QStringLiteral("ハイフン"));
    } else {
        QTest::qWait(1500);
        QVERIFY(!hint->isVisible());
    }
    QTest::mouseMove(&frmMain, QPoint(2, 2));
    QTRY_VERIFY(!hint->isVisible());
    VelGlobals::ShowToolTip = true;
}

QTEST_MAIN(TestHintWindowXP)
#include "tst_hintwindowxp.moc"
