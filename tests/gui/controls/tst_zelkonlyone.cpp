#include "../../support/FakeInstance.h"
#include "../../support/PrivateRuntime.h"

#include "gui/controls/ZelkOnlyOne.h"
#include "platform/LocalInstanceGuard.h"

#include <QDir>
#include <QTest>
#include <QWidget>

// The single-instance guard as a control: what it does with each answer of the lock, what a later start
// hands over, and what the running one does with a request. The lock itself is a fake, except in the last
// tests, where two guards share one private runtime folder.
class TestZelkOnlyOne : public QObject {
    Q_OBJECT
private slots:
    void eachAnswerOfTheLock_data() {
        QTest::addColumn<IInstanceGuard::EClaim>("answer");
        QTest::addColumn<bool>("switchToPrevious");
        QTest::addColumn<bool>("anotherRuns");
        QTest::addColumn<int>("alreadyExistCalls");
        QTest::addColumn<int>("asks");
        QTest::newRow("first") << IInstanceGuard::EClaim::First << true << false << 0 << 0;
        QTest::newRow("no private place: runs") << IInstanceGuard::EClaim::NoPlace << true << false << 0 << 0;
        QTest::newRow("another runs") << IInstanceGuard::EClaim::AnotherRuns << true << true << 1 << 1;
        QTest::newRow("another runs, no switching") << IInstanceGuard::EClaim::AnotherRuns << false << true << 1 << 0;
    }
    void eachAnswerOfTheLock() {
        QFETCH(IInstanceGuard::EClaim, answer);
        QFETCH(bool, switchToPrevious);
        QFETCH(bool, anotherRuns);
        QFETCH(int, alreadyExistCalls);
        QFETCH(int, asks);
        QWidget owner;
        auto* guard = new FakeInstanceGuard;
        guard->answer = answer;
        FakeWindowActivation activation;
        TZelkOnlyOne only(&owner, guard, &activation);
        only.SwitchToPrevious = switchToPrevious;
        int calls = 0;
        bool askedYet = false;
        only.AlreadyExist = [&](TZelkOnlyOne* sender) {
            QCOMPARE(sender, &only);
            ++calls;
            askedYet = !guard->asked.isEmpty();
        };
        QCOMPARE(only.Loaded(QStringLiteral("Velmarinth "), {"id_TIME3", "tok"}), anotherRuns);
        QCOMPARE(only.AnotherRuns(), anotherRuns);
        QCOMPARE(guard->claimed, QStringList{QStringLiteral("Velmarinth ")});
        QCOMPARE(calls, alreadyExistCalls);
        QVERIFY2(!askedYet, "AlreadyExist comes before anything else is done");
        QCOMPARE(guard->asked.size(), asks);
        if (asks) {
            QCOMPARE(guard->asked.first().first, QStringLiteral("Velmarinth "));
            QCOMPARE(guard->asked.first().second, (TLaunchTokens{"id_TIME3", "tok"}));
        }
        QVERIFY(activation.activated.isEmpty());
    }

    void aRequestBringsTheShownWindowForward_data() {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("activations");
        QTest::newRow("shown") << true << 1;
        QTest::newRow("not shown") << false << 0;
    }
    void aRequestBringsTheShownWindowForward() {
        QFETCH(bool, shown);
        QFETCH(int, activations);
        QWidget owner;
        auto* guard = new FakeInstanceGuard;
        FakeWindowActivation activation;
        TZelkOnlyOne only(&owner, guard, &activation);
        QVERIFY(!only.Loaded(QStringLiteral("t")));
        if (shown) {
            owner.show();
            QVERIFY(QTest::qWaitForWindowExposed(&owner));
        }
        guard->Arrive({"later_TIME9", "wl"});
        QCOMPARE(activation.activated.size(), activations);
        if (activations) {
            QCOMPARE(activation.activated.first().first, owner.windowHandle());
            QCOMPARE(activation.activated.first().second, (TLaunchTokens{"later_TIME9", "wl"}));
        }
    }

    // The real lock, two guards in one private runtime folder: the second gives way and is heard.
    void twoGuardsInOneRuntimeFolder() {
        TPrivateRuntime runtime;
        QVERIFY(runtime.isValid());
        QWidget firstWindow;
        QWidget secondWindow;
        FakeWindowActivation activation;
        auto* first = new TZelkOnlyOne(&firstWindow, nullptr, &activation);
        QVERIFY(!first->Loaded(QStringLiteral("Velmarinth ")));
        firstWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&firstWindow));
        // The later start waits for the answer of the first, which needs this thread's events: with the first's
        // answer out of reach it gives up after its few seconds and still ends.
        TZelkOnlyOne second(&secondWindow);
        QVERIFY(second.Loaded(QStringLiteral("Velmarinth ")));
        QVERIFY(second.AnotherRuns());
        QTRY_COMPARE(activation.activated.size(), 1);
        QCOMPARE(activation.activated.first().first, firstWindow.windowHandle());
        // Gone with its window: the next start is the first again.
        delete first;
        TZelkOnlyOne third(&secondWindow);
        QVERIFY(!third.Loaded(QStringLiteral("Velmarinth ")));
    }

    void aLockThatFailsEndsTheStart() {
        TPrivateRuntime runtime;
        QVERIFY(runtime.isValid());
        // A folder where the lock file should be: it cannot be opened, so nobody can hold the lock.
        QVERIFY(QDir().mkdir(TLocalInstanceGuard::LockPath(QStringLiteral("Velmarinth "))));
        QWidget window;
        TZelkOnlyOne only(&window);
        bool told = false;
        only.AlreadyExist = [&told](TZelkOnlyOne*) { told = true; };
        only.SwitchToPrevious = false;
        QVERIFY(only.Loaded(QStringLiteral("Velmarinth ")));
        QVERIFY(only.AnotherRuns());
        QVERIFY(told);
    }
};

QTEST_MAIN(TestZelkOnlyOne)
#include "tst_zelkonlyone.moc"
