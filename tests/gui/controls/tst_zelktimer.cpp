#include "gui/controls/ZelkTimer.h"

#include <QEventLoop>
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
    void nestedTickKeepsTheServiceUntilItEnds_data();
    void nestedTickKeepsTheServiceUntilItEnds();
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

void TestZelkTimer::nestedTickKeepsTheServiceUntilItEnds_data() {
    QTest::addColumn<bool>("innerFreesItself");
    QTest::newRow("the outer handler frees both timers") << false;
    QTest::newRow("the inner tick frees its own timer, the outer the last") << true;
}

// A handler runs an event loop of its own, in which another timer ticks, then frees the last timer: the
// service must outlive the outer tick (under the address sanitizer a touch after its end fails here too).
void TestZelkTimer::nestedTickKeepsTheServiceUntilItEnds() {
    QFETCH(bool, innerFreesItself);
    QEventLoop nested;
    bool innerTicked = false;
    TZelkTimer* inner = new TZelkTimer(5, [&](TZelkTimer* sender) {
        innerTicked = true;
        sender->SetEnabled(false);
        if (innerFreesItself) {
            delete sender;
            inner = nullptr;
        }
        nested.quit();
    });
    QPointer<const QObject> service = TZelkTimer::Handler();
    bool serviceAliveAtEndOfTick = false;
    int outerTicks = 0;
    auto* outer = new TZelkTimer(5, [&](TZelkTimer* sender) {
        ++outerTicks;
        sender->SetEnabled(false);
        inner->SetEnabled(true);
        nested.exec();
        delete inner;
        inner = nullptr;
        delete sender;
        serviceAliveAtEndOfTick = !service.isNull();
    });
    outer->SetEnabled(true);
    QTRY_COMPARE(outerTicks, 1);
    QVERIFY(innerTicked);
    QVERIFY(serviceAliveAtEndOfTick);
    QTRY_VERIFY(service.isNull());
    QVERIFY(!TZelkTimer::Handler());
}

QTEST_GUILESS_MAIN(TestZelkTimer)
#include "tst_zelktimer.moc"
