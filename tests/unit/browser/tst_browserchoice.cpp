#include "core/browser/BrowserChoice.h"
#include "core/settings/VelGlobals.h"

#include <QSet>
#include <QTest>

namespace {

class FakeSystem final : public IBrowserSystem {
public:
    QSet<QByteArray> files{"/opt/mybrowser/run", "/usr/bin/firefox"};
    QByteArray handlerCommand = "/usr/bin/firefox";
    mutable int lookups = 0;

    QByteArray LongPath(const QByteArray& path) const override { return files.contains(path) ? path : QByteArray(); }
    bool IsFile(const QByteArray& path) const override { return files.contains(path); }
    QByteArray DefaultHandlerCommand() const override {
        ++lookups;
        return handlerCommand;
    }
    QByteArray FallbackCommand() const override { return {}; }
};

class FakeLauncher final : public IProgramLauncher {
public:
    QList<QByteArrayList> calls;
    void RunProgram(const QByteArray& target) override { calls.append({"open", target}); }
    void RunProgramWithParams(const QByteArray& program, const QByteArray& params) override {
        calls.append({"start", program, params});
    }
};

} // namespace

class TestBrowserChoice : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { VelGlobals::Reset(); }

    void decide_data() {
        QTest::addColumn<bool>("useDirected");
        QTest::addColumn<QByteArray>("directedPath");
        QTest::addColumn<bool>("commandLine");
        QTest::addColumn<QByteArray>("handler");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<bool>("gone");
        QTest::addColumn<bool>("lookedUp");
        const int start = TBrowseLaunch::lkProgram;
        const int open = TBrowseLaunch::lkShellOpen;
        const QByteArray mine = "/opt/mybrowser/run";
        const QByteArray firefox = "/usr/bin/firefox";
        QTest::newRow("directed present") << true << mine << false << firefox << start << mine << false << false;
        QTest::newRow("directed present, command line on")
            << true << mine << true << firefox << start << mine << false << false;
        QTest::newRow("directed is a folder")
            << true << QByteArray("/opt/mybrowser") << false << firefox << open << QByteArray() << true << false;
        QTest::newRow("directed missing, command line on")
            << true << QByteArray("/opt/gone/run") << true << firefox << start << firefox << true << true;
        QTest::newRow("directed empty") << true << QByteArray() << false << firefox << open << QByteArray() << true
                                        << false;
        QTest::newRow("directed off but present")
            << false << mine << false << firefox << open << QByteArray() << false << false;
        QTest::newRow("command line on") << false << QByteArray() << true << firefox << start << firefox << false
                                         << true;
        QTest::newRow("command line on, no default browser")
            << false << QByteArray() << true << QByteArray("/usr/bin/gone") << start << QByteArray() << false << true;
    }
    void decide() {
        QFETCH(bool, useDirected);
        QFETCH(QByteArray, directedPath);
        QFETCH(bool, commandLine);
        QFETCH(QByteArray, handler);
        QFETCH(int, kind);
        QFETCH(QByteArray, program);
        QFETCH(bool, gone);
        QFETCH(bool, lookedUp);
        FakeSystem system;
        system.handlerCommand = handler;
        system.files.insert("/opt/mybrowser/run");
        TBrowseSettings settings;
        settings.UseDirectedBrowser = useDirected;
        settings.DirectedBrowserPath = directedPath;
        settings.RunWithCommandLine = commandLine;
        const QByteArray url = "http://x/?q=\"a b\"&c";
        const TBrowseLaunch launch = DecideBrowseLaunch(url, settings, system);
        QCOMPARE(int(launch.Kind), kind);
        QCOMPARE(launch.Program, program);
        QCOMPARE(launch.Target, url);
        QCOMPARE(launch.DirectedBrowserGone, gone);
        QCOMPARE(system.lookups > 0, lookedUp);
    }

    // The program-wide settings drive the launcher, and a vanished browser is forgotten for good.
    void execute_data() {
        QTest::addColumn<bool>("useDirected");
        QTest::addColumn<QByteArray>("directedPath");
        QTest::addColumn<bool>("commandLine");
        QTest::addColumn<QByteArrayList>("call");
        QTest::addColumn<bool>("useDirectedAfter");
        const QByteArray url = "www.qq.co.jp";
        QTest::newRow("directed") << true << QByteArray("/opt/mybrowser/run") << false
                                  << QByteArrayList{"start", "/opt/mybrowser/run", url} << true;
        QTest::newRow("directed gone, shell")
            << true << QByteArray("/opt/gone") << false << QByteArrayList{"open", url} << false;
        QTest::newRow("directed gone, command line")
            << true << QByteArray("/opt/gone") << true << QByteArrayList{"start", "/usr/bin/firefox", url} << false;
        QTest::newRow("shell") << false << QByteArray() << false << QByteArrayList{"open", url} << false;
    }
    void execute() {
        QFETCH(bool, useDirected);
        QFETCH(QByteArray, directedPath);
        QFETCH(bool, commandLine);
        QFETCH(QByteArrayList, call);
        QFETCH(bool, useDirectedAfter);
        VelGlobals::UseDirectedBrowser = useDirected;
        VelGlobals::DirectedBrowserPath = directedPath;
        VelGlobals::RunWithCommandLine = commandLine;
        FakeSystem system;
        FakeLauncher launcher;
        ExecuteBrowse("www.qq.co.jp", system, launcher);
        QCOMPARE(launcher.calls, QList<QByteArrayList>{call});
        QCOMPARE(VelGlobals::UseDirectedBrowser, useDirectedAfter);
        QCOMPARE(VelGlobals::DirectedBrowserPath, directedPath); // the path itself is kept
    }

    void iconPath_data() {
        QTest::addColumn<bool>("useDirected");
        QTest::addColumn<QByteArray>("directedPath");
        QTest::addColumn<QByteArray>("handler");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("useDirectedAfter");
        QTest::newRow("directed") << true << QByteArray("/opt/mybrowser/run") << QByteArray("/usr/bin/firefox")
                                  << QByteArray("/opt/mybrowser/run") << true;
        QTest::newRow("directed gone") << true << QByteArray("/opt/gone") << QByteArray("/usr/bin/firefox")
                                       << QByteArray("/usr/bin/firefox") << false;
        QTest::newRow("default") << false << QByteArray("/opt/mybrowser/run") << QByteArray("/usr/bin/firefox")
                                 << QByteArray("/usr/bin/firefox") << false;
        QTest::newRow("nothing") << false << QByteArray() << QByteArray() << QByteArray() << false;
    }
    void iconPath() {
        QFETCH(bool, useDirected);
        QFETCH(QByteArray, directedPath);
        QFETCH(QByteArray, handler);
        QFETCH(QByteArray, path);
        QFETCH(bool, useDirectedAfter);
        VelGlobals::UseDirectedBrowser = useDirected;
        VelGlobals::DirectedBrowserPath = directedPath;
        FakeSystem system;
        system.handlerCommand = handler;
        QCOMPARE(BrowserIconPath(system), path);
        QCOMPARE(VelGlobals::UseDirectedBrowser, useDirectedAfter);
    }
};

QTEST_APPLESS_MAIN(TestBrowserChoice)
#include "tst_browserchoice.moc"
