#include "gui/controls/ZelkTimer.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

class TestZelkTimer : public QObject {
    Q_OBJECT
private slots:
    void oneServiceLivesFromTheFirstTimerToTheLast();
    void handlerThatFreesItsOwnTimer_data();
    void handlerThatFreesItsOwnTimer();
    void zeroIntervalNeverTicks();
};

void TestZelkTimer::oneServiceLivesFromTheFirstTimerToTheLast() {
    QVERIFY(!TZelkTimer::Handler());
    auto first = std::make_unique<TZelkTimer>(10, nullptr);
    QPointer<const QObject> service = TZelkTimer::Handler();
    QVERIFY(service);
    auto second = std::make_unique<TZelkTimer>(10, nullptr);
    QCOMPARE(TZelkTimer::Handler(), service.data());
    first.reset();
    QVERIFY(service);
    second.reset();
    QVERIFY(!service);
    QVERIFY(!TZelkTimer::Handler());
    TZelkTimer third(10, nullptr);
    QVERIFY(TZelkTimer::Handler());
}

void TestZelkTimer::handlerThatFreesItsOwnTimer_data() {
    QTest::addColumn<bool>("anotherTimerLives");
    QTest::newRow("the last timer, taking the service with it") << false;
    QTest::newRow("one of two") << true;
}

// Under the address sanitizer a touch of the freed timer or service after the handler returns fails here.
void TestZelkTimer::handlerThatFreesItsOwnTimer() {
    QFETCH(bool, anotherTimerLives);
    std::unique_ptr<TZelkTimer> other;
    if (anotherTimerLives)
        other = std::make_unique<TZelkTimer>(1000, nullptr);
    int ticks = 0;
    auto* timer = new TZelkTimer(5, [&ticks](TZelkTimer* sender) {
        ++ticks;
        delete sender;
    });
    timer->SetEnabled(true);
    QTRY_COMPARE(ticks, 1);
    QTest::qWait(50);
    QCOMPARE(ticks, 1);
    QCOMPARE(TZelkTimer::Handler() != nullptr, anotherTimerLives);
}

void TestZelkTimer::zeroIntervalNeverTicks() {
    int ticks = 0;
    TZelkTimer timer(0, [&ticks](TZelkTimer*) { ++ticks; });
    timer.SetEnabled(true);
    QVERIFY(!timer.Enabled());
    QTest::qWait(30);
    QCOMPARE(ticks, 0);
}

QTEST_GUILESS_MAIN(TestZelkTimer)
#include "tst_zelktimer.moc"
