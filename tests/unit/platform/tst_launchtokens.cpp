#include "platform/LaunchTokens.h"

#include <QTest>

// The launch tokens a later start hands to the running instance: which tokens pass, the request line both
// ways, the user time in a startup ID and the pieces of a startup-notification message.
class TestLaunchTokens : public QObject {
    Q_OBJECT
private slots:
    void acceptedToken_data() {
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("usual startup ID") << QByteArray("openbox-12-host-xterm-3_TIME4711") << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("one byte") << QByteArray("a") << true;
        QTest::newRow("200 bytes") << QByteArray(200, 'x') << true;
        QTest::newRow("201 bytes") << QByteArray(201, 'x') << false;
        QTest::newRow("lowest printable !") << QByteArray("a!") << true;
        QTest::newRow("highest printable ~") << QByteArray("a~") << true;
        QTest::newRow("blank") << QByteArray("a b") << false;
        QTest::newRow("DEL") << QByteArray("a\x7f") << false;
        QTest::newRow("line feed") << QByteArray("a\nswitch") << false;
        QTest::newRow("quote") << QByteArray("a\"b") << false;
        QTest::newRow("backslash") << QByteArray("a\\b") << false;
        QTest::newRow("high byte") << QByteArray("a\xc3\xa9") << false;
    }
    void acceptedToken() {
        QFETCH(QByteArray, token);
        QFETCH(bool, accepted);
        QCOMPARE(AcceptedToken(token), accepted ? token : QByteArray());
    }

    void formatSwitchRequest_data() {
        QTest::addColumn<QByteArray>("startupId");
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("no tokens") << QByteArray() << QByteArray() << QByteArray("switch\n");
        QTest::newRow("startup ID") << QByteArray("id_TIME9") << QByteArray()
                                    << QByteArray("switch startup=id_TIME9\n");
        QTest::newRow("token") << QByteArray() << QByteArray("tok") << QByteArray("switch token=tok\n");
        QTest::newRow("both, ID first") << QByteArray("id") << QByteArray("tok")
                                        << QByteArray("switch startup=id token=tok\n");
        QTest::newRow("a blank in the ID drops it")
            << QByteArray("i d") << QByteArray("tok") << QByteArray("switch token=tok\n");
        QTest::newRow("longest tokens fit one line")
            << QByteArray(200, 'i') << QByteArray(200, 't')
            << QByteArray("switch startup=" + QByteArray(200, 'i') + " token=" + QByteArray(200, 't') + "\n");
    }
    void formatSwitchRequest() {
        QFETCH(QByteArray, startupId);
        QFETCH(QByteArray, token);
        QFETCH(QByteArray, line);
        QCOMPARE(FormatSwitchRequest({startupId, token}), line);
    }

    void parseSwitchRequest_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("isRequest");
        QTest::addColumn<QByteArray>("startupId");
        QTest::addColumn<QByteArray>("token");
        QTest::newRow("plain") << QByteArray("switch\n") << true << QByteArray() << QByteArray();
        QTest::newRow("both") << QByteArray("switch startup=a_TIME5 token=t\n") << true << QByteArray("a_TIME5")
                              << QByteArray("t");
        QTest::newRow("token before ID") << QByteArray("switch token=t startup=a\n") << true << QByteArray("a")
                                         << QByteArray("t");
        QTest::newRow("unknown field passed over")
            << QByteArray("switch colour=red startup=a\n") << true << QByteArray("a") << QByteArray();
        QTest::newRow("empty ID") << QByteArray("switch startup=\n") << true << QByteArray() << QByteArray();
        QTest::newRow("quote in token dropped")
            << QByteArray("switch token=a\"b startup=c\n") << true << QByteArray("c") << QByteArray();
        QTest::newRow("no line feed") << QByteArray("switch") << false << QByteArray() << QByteArray();
        QTest::newRow("other word") << QByteArray("switcher\n") << false << QByteArray() << QByteArray();
        QTest::newRow("upper case") << QByteArray("SWITCH\n") << false << QByteArray() << QByteArray();
        QTest::newRow("empty line") << QByteArray("\n") << false << QByteArray() << QByteArray();
        QTest::newRow("512 bytes") << QByteArray("switch " + QByteArray(504, 'x') + "\n") << true << QByteArray()
                                   << QByteArray();
        QTest::newRow("513 bytes") << QByteArray("switch " + QByteArray(505, 'x') + "\n") << false << QByteArray()
                                   << QByteArray();
    }
    void parseSwitchRequest() {
        QFETCH(QByteArray, line);
        QFETCH(bool, isRequest);
        QFETCH(QByteArray, startupId);
        QFETCH(QByteArray, token);
        const std::optional<TLaunchTokens> parsed = ParseSwitchRequest(line);
        QCOMPARE(parsed.has_value(), isRequest);
        if (parsed) {
            QCOMPARE(parsed->StartupId, startupId);
            QCOMPARE(parsed->ActivationToken, token);
        }
    }

    void startupIdTime_data() {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<qulonglong>("time");
        QTest::newRow("usual") << QByteArray("openbox-1-host-x-2_TIME123456") << 123456ull;
        QTest::newRow("no time") << QByteArray("openbox-1-host-x-2") << 0ull;
        QTest::newRow("empty after _TIME") << QByteArray("x_TIME") << 0ull;
        QTest::newRow("not at the end") << QByteArray("x_TIME12y") << 0ull;
        QTest::newRow("last _TIME counts") << QByteArray("a_TIME7_TIME8") << 8ull;
        QTest::newRow("largest X time") << QByteArray("x_TIME4294967295") << 4294967295ull;
        QTest::newRow("one over 32 bits") << QByteArray("x_TIME4294967296") << 0ull;
        QTest::newRow("eleven digits") << QByteArray("x_TIME00000000001") << 0ull;
        QTest::newRow("ten digits with zeros") << QByteArray("x_TIME0000000001") << 1ull;
        QTest::newRow("lower case") << QByteArray("x_time5") << 0ull;
        QTest::newRow("sign") << QByteArray("x_TIME-5") << 0ull;
    }
    void startupIdTime() {
        QFETCH(QByteArray, id);
        QFETCH(qulonglong, time);
        QCOMPARE(static_cast<qulonglong>(StartupIdTime(id)), time);
    }

    void startupMessagePieces_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::newRow("short") << QByteArray("remove: ID=a")
                               << QByteArrayList{QByteArray("remove: ID=a\0\0\0\0\0\0\0\0", 20)};
        QTest::newRow("19 bytes and its NUL fill one piece")
            << QByteArray("remove: ID=abcdefgh") << QByteArrayList{QByteArray("remove: ID=abcdefgh\0", 20)};
        QTest::newRow("20 bytes: the NUL opens a second piece")
            << QByteArray("remove: ID=abcdefghi")
            << QByteArrayList{QByteArray("remove: ID=abcdefghi"), QByteArray(20, '\0')};
        QTest::newRow("two pieces") << QByteArray("remove: ID=openbox-1_TIME9")
                                    << QByteArrayList{QByteArray("remove: ID=openbox-1"),
                                                      QByteArray("_TIME9") + QByteArray(14, '\0')};
    }
    void startupMessagePieces() {
        QFETCH(QByteArray, message);
        QFETCH(QByteArrayList, pieces);
        QCOMPARE(StartupMessagePieces(message), pieces);
    }

    void keptTokensComeFromTheEnvironment() {
        qputenv("DESKTOP_STARTUP_ID", "start_TIME42");
        qputenv("XDG_ACTIVATION_TOKEN", "bad token");
        KeepLaunchTokens();
        // The toolkit removes the variable later; what was kept stays.
        qunsetenv("DESKTOP_STARTUP_ID");
        QCOMPARE(StartLaunchTokens().StartupId, QByteArray("start_TIME42"));
        QCOMPARE(StartLaunchTokens().ActivationToken, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestLaunchTokens)
#include "tst_launchtokens.moc"
