#include "platform/LocalInstanceGuard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// The per-user lock and the channel of the single-instance guard, on a private runtime folder of the test's
// own: two guards of one title exclude each other, and the running one's socket cannot be worn out.
class TestInstanceGuard : public QObject {
    Q_OBJECT

    QTemporaryDir FRuntime;
    const QString FTitle = QStringLiteral("Velmarinth guard test");

    // A peer that connects and then does what the row says, with nobody reading for it.
    static std::unique_ptr<QLocalSocket> Connect(const QString& title) {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(TLocalInstanceGuard::SocketPath(title));
        if (!socket->waitForConnected(2000))
            return nullptr;
        return socket;
    }

private slots:
    void initTestCase() {
        QVERIFY(FRuntime.isValid());
        QVERIFY(chmod(QFile::encodeName(FRuntime.path()).constData(), 0700) == 0);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(FRuntime.path()));
    }

    // The runtime folder holds the lock only while nobody else may write there; else a folder of the user's
    // own under /tmp does.
    void lockPlace_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("inRuntime");
        QTest::newRow("private") << 0700 << true;
        QTest::newRow("group may write") << 0770 << false;
        QTest::newRow("others may write") << 0703 << false;
    }
    void lockPlace() {
        QFETCH(int, mode);
        QFETCH(bool, inRuntime);
        const QByteArray runtime = QFile::encodeName(FRuntime.path());
        QVERIFY(chmod(runtime.constData(), mode) == 0);
        const QString lock = TLocalInstanceGuard::LockPath(FTitle);
        QVERIFY(chmod(runtime.constData(), 0700) == 0);
        const QString folder = inRuntime ? FRuntime.path() : QStringLiteral("/tmp/velmarinth-%1").arg(geteuid());
        QCOMPARE(QFileInfo(lock).path(), folder);
    }

    // Titles are told apart by all their characters up to the 255th, not only by their letters and digits.
    void titlesKeptApart_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("apart");
        const QString long254 = QString(254, QLatin1Char('v'));
        QTest::newRow("blank and hyphen") << "a b"
                                          << "a-b" << true;
        QTest::newRow("255th character differs") << long254 + u'x' << long254 + u'y' << true;
        QTest::newRow("256th character differs")
            << long254 + QStringLiteral("xx") << long254 + QStringLiteral("xy") << false;
    }
    void titlesKeptApart() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, apart);
        QCOMPARE(TLocalInstanceGuard::LockPath(first) != TLocalInstanceGuard::LockPath(second), apart);
        QCOMPARE(TLocalInstanceGuard::SocketPath(first) != TLocalInstanceGuard::SocketPath(second), apart);
    }

    void twoGuardsOfOneTitleExcludeEachOther() {
        auto first = std::make_unique<TLocalInstanceGuard>();
        TLocalInstanceGuard second;
        TLocalInstanceGuard otherTitle;
        QCOMPARE(first->Claim(FTitle), IInstanceGuard::EClaim::First);
        QCOMPARE(second.Claim(FTitle), IInstanceGuard::EClaim::AnotherRuns);
        QCOMPARE(otherTitle.Claim(FTitle + QLatin1Char('2')), IInstanceGuard::EClaim::First);
        QVERIFY(TLocalInstanceGuard::LockPath(FTitle).startsWith(FRuntime.path() + QLatin1Char('/')));
        // The lock goes with its holder: the next claim gets it.
        first.reset();
        TLocalInstanceGuard third;
        QCOMPARE(third.Claim(FTitle), IInstanceGuard::EClaim::First);
    }

    void aLockThatCannotBeHadCountsAsAnotherRunning() {
        const QString title = QStringLiteral("unopenable lock");
        QVERIFY(QDir().mkdir(TLocalInstanceGuard::LockPath(title)));
        TLocalInstanceGuard guard;
        QCOMPARE(guard.Claim(title), IInstanceGuard::EClaim::AnotherRuns);
        QVERIFY(!QFile::exists(TLocalInstanceGuard::SocketPath(title)));
    }

    void aLaterStartHandsOverItsTokens() {
        TLocalInstanceGuard first;
        QCOMPARE(first.Claim(FTitle), IInstanceGuard::EClaim::First);
        QSignalSpy requests(&first, &IInstanceGuard::SwitchRequested);
        QElapsedTimer asked;
        asked.start();
        std::unique_ptr<QThread> later(QThread::create([this] {
            TLocalInstanceGuard second;
            second.AskToSwitch(FTitle, {"later_TIME77", "wl-token"});
        }));
        later->start();
        QTRY_COMPARE_WITH_TIMEOUT(requests.size(), 1, 5000);
        const auto tokens = requests.first().first().value<TLaunchTokens>();
        QCOMPARE(tokens.StartupId, QByteArray("later_TIME77"));
        QCOMPARE(tokens.ActivationToken, QByteArray("wl-token"));
        // The running one answers, so the later start ends at once rather than at its give-up time.
        QTRY_VERIFY_WITH_TIMEOUT(later->isFinished(), 2500);
        QVERIFY2(asked.elapsed() < 2500, qPrintable(QString::number(asked.elapsed())));
    }

    void oneShortLinePerConnection_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<int>("requests");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("request") << QByteArray("switch\n") << 1 << QByteArray("ok\n");
        QTest::newRow("512 bytes") << QByteArray("switch " + QByteArray(504, 'x') + "\n") << 1 << QByteArray("ok\n");
        QTest::newRow("513 bytes") << QByteArray("switch " + QByteArray(505, 'x') + "\n") << 0 << QByteArray();
        QTest::newRow("a megabyte without a line feed") << QByteArray(1 << 20, 'x') << 0 << QByteArray();
        QTest::newRow("two requests, one read") << QByteArray("switch\nswitch\n") << 1 << QByteArray("ok\n");
        QTest::newRow("not a request") << QByteArray("hello\n") << 0 << QByteArray();
    }
    void oneShortLinePerConnection() {
        QFETCH(QByteArray, sent);
        QFETCH(int, requests);
        QFETCH(QByteArray, answer);
        TLocalInstanceGuard first;
        QCOMPARE(first.Claim(FTitle), IInstanceGuard::EClaim::First);
        QSignalSpy spy(&first, &IInstanceGuard::SwitchRequested);
        auto peer = Connect(FTitle);
        QVERIFY(peer);
        peer->write(sent);
        // Closed by the running one well before the idle limit, whatever was sent.
        QTRY_COMPARE_WITH_TIMEOUT(peer->state(), QLocalSocket::UnconnectedState, 1500);
        QCOMPARE(spy.size(), requests);
        QCOMPARE(peer->readAll(), answer);
    }

    void aSilentConnectionIsClosedAfterTwoSeconds_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("half a line") << QByteArray("swi");
    }
    void aSilentConnectionIsClosedAfterTwoSeconds() {
        QFETCH(QByteArray, sent);
        TLocalInstanceGuard first;
        QCOMPARE(first.Claim(FTitle), IInstanceGuard::EClaim::First);
        QElapsedTimer since;
        since.start();
        auto peer = Connect(FTitle);
        QVERIFY(peer);
        peer->write(sent);
        peer->flush();
        QTest::qWait(1500);
        QCOMPARE(peer->state(), QLocalSocket::ConnectedState);
        QTRY_COMPARE_WITH_TIMEOUT(peer->state(), QLocalSocket::UnconnectedState, 4000);
        QVERIFY2(since.elapsed() >= 1900, qPrintable(QString::number(since.elapsed())));
    }

    void atMostFourConnectionsAreHeld() {
        TLocalInstanceGuard first;
        QCOMPARE(first.Claim(FTitle), IInstanceGuard::EClaim::First);
        QElapsedTimer since;
        since.start();
        std::vector<std::unique_ptr<QLocalSocket>> held;
        for (int i = 0; i < 4; ++i) {
            held.push_back(Connect(FTitle));
            QVERIFY(held.back());
            QTest::qWait(50);
        }
        auto fifth = Connect(FTitle);
        QVERIFY(fifth);
        QTRY_COMPARE_WITH_TIMEOUT(fifth->state(), QLocalSocket::UnconnectedState, 1500);
        if (since.elapsed() < 1800) {
            for (const auto& peer : held)
                QCOMPARE(peer->state(), QLocalSocket::ConnectedState);
        }
        // A later start is refused while all four are held, and heard as soon as the first of them is closed.
        QSignalSpy spy(&first, &IInstanceGuard::SwitchRequested);
        std::unique_ptr<QThread> later(QThread::create([this] { TLocalInstanceGuard().AskToSwitch(FTitle, {}); }));
        later->start();
        QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 1, 6000);
        QVERIFY2(since.elapsed() >= 1900, qPrintable(QString::number(since.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(later->isFinished(), 5000);
        for (const auto& peer : held)
            QTRY_COMPARE_WITH_TIMEOUT(peer->state(), QLocalSocket::UnconnectedState, 3000);
    }
};

QTEST_GUILESS_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
