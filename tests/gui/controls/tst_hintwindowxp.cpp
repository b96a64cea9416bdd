#include "core/settings/VelGlobals.h"
#include "gui/controls/HintWindowXP.h"
#include "gui/main/Main.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// When a condition first held, in steps fine enough to time a half-second delay.
template <typename Condition> qint64 WaitUntil(const QElapsedTimer& clock, Condition condition) {
    while (!condition() && clock.elapsed() < 15000)
        QTest::qWait(5);
    return clock.elapsed();
}

} // namespace

class TestHintWindowXP : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { THintManager::Install(); }
    void windowIsTheTextWithItsMargins_data();
    void windowIsTheTextWithItsMargins();
    void showsAfterHalfASecondAndHidesAfterTwoAndAHalf();
    void mainWindowShowsHintsOnlyWithShowToolTip_data();
    void mainWindowShowsHintsOnlyWithShowToolTip();
};

void TestHintWindowXP::windowIsTheTextWithItsMargins_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxWidth");
    QTest::addColumn<int>("lines");
    QTest::newRow("one line") << QStringLiteral("ハイフン") << 1000 << 1;
    QTest::newRow("ampersands shown as they are") << QStringLiteral("AT&&T & &x") << 1000 << 1;
    QTest::newRow("wraps at word breaks") << QStringLiteral("one two three four five six") << 60 << 3;
}

void TestHintWindowXP::windowIsTheTextWithItsMargins() {
    QFETCH(QString, text);
    QFETCH(int, maxWidth);
    QFETCH(int, lines);
    THintWindowXP window;
    // Measured as plain text: with "&" processing "&&" would count as one character.
    const QSize text_size =
        QFontMetrics(window.font()).boundingRect(QRect(0, 0, maxWidth, 0), Qt::TextWordWrap, text).size();
    const QRect rect = THintWindowXP::CalcHintRect(window.font(), maxWidth, text);
    QCOMPARE(rect, QRect(QPoint(0, 0), text_size + QSize(10, 6)));
    QVERIFY(rect.height() >= lines * QFontMetrics(window.font()).lineSpacing());
    QVERIFY(rect.width() <= maxWidth + 10);

    // The frame is one pixel of the text colour; the margin inside it is background.
    window.ActivateHint(QPoint(100, 100), text);
    if (lines == 1)
        QCOMPARE(window.size(), rect.size());
    const QImage image = window.grab().toImage();
    const QColor frame = window.palette().color(QPalette::ToolTipText);
    const QColor ground = window.palette().color(QPalette::ToolTipBase);
    QCOMPARE(image.pixelColor(0, 0), frame);
    QCOMPARE(image.pixelColor(window.width() - 1, window.height() - 1), frame);
    for (int i = 1; i < THintWindowXP::kTextOffset; ++i)
        QCOMPARE(image.pixelColor(i, i), ground);
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
