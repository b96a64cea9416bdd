#include "../../support/FakeXdgTree.h"
#include "core/settings/VelGlobals.h"
#include "platform/BrowserLaunch.h"
#include "platform/xdg/DesktopLauncher.h"
#include "platform/xdg/XdgBrowserSystem.h"

#include <QDirIterator>
#include <QStandardPaths>
#include <QTest>

namespace {

// Files a shell would have made had it seen the URL.
QStringList strayFiles(const QString& root) {
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).fileName();
        if (name.startsWith(QStringLiteral("pwned")))
            found.append(it.filePath());
    }
    return found;
}

bool waitForRecord(const QString& program) {
    return QTest::qWaitFor([&] { return QFile::exists(FakeXdgTree::RecordOf(program)); }, 20000);
}

} // namespace

class TestDesktopLauncher : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { VelGlobals::Reset(); }

    void programStart_data() {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QByteArray>("params");
        QTest::addColumn<QString>("expectedProgram"); // "@" is the current folder
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("folder");
        QTest::newRow("absolute") << QByteArray("/opt/b/run") << QByteArray("http://x/") << QStringLiteral("/opt/b/run")
                                  << QStringList{"http://x/"} << QStringLiteral("/opt/b/");
        QTest::newRow("relative with folder") << QByteArray("b/run") << QByteArray("www.x") << QStringLiteral("@/b/run")
                                              << QStringList{"www.x"} << QStringLiteral("b/");
        QTest::newRow("empty parameters")
            << QByteArray("/r") << QByteArray() << QStringLiteral("/r") << QStringList{} << QStringLiteral("/");
        // ソ is 0x83 0x5C: its second byte is no backslash, and the quote is encoded like any other.
        QTest::newRow("double-byte before a quote")
            << QByteArray("/r") << QByteArray("http://x/\x83\x5c\"a b\"") << QStringLiteral("/r")
            << QStringList{QStringLiteral("http://x/%E3%82%BD%22a%20b%22")} << QStringLiteral("/");
        QTest::newRow("double-byte program folder")
            << QByteArray("/opt/\x83\x75\x83\x89\x83\x45\x83\x55/run") << QByteArray("http://x/")
            << QStringLiteral("/opt/ブラウザ/run") << QStringList{"http://x/"} << QStringLiteral("/opt/ブラウザ/");
        // The dropped shortcut of the report: the box shows only the address, the rest is one argument.
        QTest::newRow("blanks then an option")
            << QByteArray("/r") << "http://example.com/" + QByteArray(150, ' ') + "--gpu-launcher=\"sh -c 'id'\""
            << QStringLiteral("/r")
            << QStringList{"http://example.com/" + QString(QStringLiteral("%20")).repeated(150) +
                           "--gpu-launcher=%22sh%20-c%20'id'%22"}
            << QStringLiteral("/");
    }
    void programStart() {
        QFETCH(QByteArray, program);
        QFETCH(QByteArray, params);
        QFETCH(QString, expectedProgram);
        QFETCH(QStringList, arguments);
        QFETCH(QString, folder);
        const TProgramStart start = ProgramStart(program, params);
        QCOMPARE(start.Program, expectedProgram.replace(u'@', QDir::currentPath()));
        QCOMPARE(start.Arguments, arguments);
        QCOMPARE(start.WorkingDirectory, folder);
    }

    void targetUrl_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("url");
        QTest::newRow("http") << QStringLiteral("http://www.qq.co.jp/a?b=c")
                              << QStringLiteral("http://www.qq.co.jp/a?b=c");
        QTest::newRow("https") << QStringLiteral("https://x/") << QStringLiteral("https://x/");
        QTest::newRow("www") << QStringLiteral("www.qq.co.jp/") << QStringLiteral("http://www.qq.co.jp/");
        QTest::newRow("existing file") << QStringLiteral("/bin/sh") << QStringLiteral("file:///bin/sh");
        QTest::newRow("mailto") << QStringLiteral("mailto:a@b.c") << QStringLiteral("mailto:a@b.c");
    }
    void targetUrl() {
        QFETCH(QString, target);
        QFETCH(QString, url);
        QCOMPARE(TargetUrl(target).toString(), url);
    }

    // The URL as one argument: what a URL cannot hold is percent-encoded as UTF-8, what it can hold stays.
    void urlArgument_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("argument");
        QTest::newRow("plain") << "http://www.qq.co.jp/a?b=c&d=e#f"
                               << "http://www.qq.co.jp/a?b=c&d=e#f";
        QTest::newRow("reserved and unreserved stay") << "http://u:p@[::1]:8/-._~!$&'()*+,;="
                                                      << "http://u:p@[::1]:8/-._~!$&'()*+,;=";
        QTest::newRow("blank and tab") << "http://a b/\t"
                                       << "http://a%20b/%09";
        QTest::newRow("unsafe characters") << "www.x/\"<>\\^`{|}"
                                           << "www.x/%22%3C%3E%5C%5E%60%7B%7C%7D";
        QTest::newRow("controls") << "http://x/\x01\x1f\x7f"
                                  << "http://x/%01%1F%7F";
        QTest::newRow("non-ASCII as UTF-8") << "http://x/é表"
                                            << "http://x/%C3%A9%E8%A1%A8";
        QTest::newRow("an escape stays") << "http://x/a%2fb%41"
                                         << "http://x/a%2fb%41";
        QTest::newRow("percent without two digits") << "http://x/%zz%4"
                                                    << "http://x/%25zz%254";
        QTest::newRow("percent with one digit before the end") << "http://x/%4g"
                                                               << "http://x/%254g";
        QTest::newRow("percent at the end") << "http://x/%"
                                            << "http://x/%25";
    }
    void urlArgument() {
        QFETCH(QString, text);
        QFETCH(QString, argument);
        QCOMPARE(UrlArgument(text), argument);
    }

    void optionLike_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("option");
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("url") << QStringList{"http://x/"} << false;
        QTest::newRow("dash first") << QStringList{"-x"} << true;
        QTest::newRow("double dash") << QStringList{"--gpu-launcher=id"} << true;
        QTest::newRow("dash later") << QStringList{"www.a-b/-c"} << false;
    }
    void optionLike() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, option);
        QCOMPARE(IsOptionLike(arguments), option);
    }

    // The URL reaches the browser as one argument, never split and never through a shell.
    void runWithParams_data() {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QStringList>("arguments");
        const QByteArray hostile = "http://x/?a=1;b|c$(touch${IFS}pwned1)&d=`touch${IFS}pwned2`&e='q'&f=$HOME>pwned3";
        QTest::newRow("shell characters")
            << hostile
            << QStringList{
                   "http://x/?a=1;b%7Cc$(touch$%7BIFS%7Dpwned1)&d=%60touch$%7BIFS%7Dpwned2%60&e='q'&f=$HOME%3Epwned3"};
        QTest::newRow("command substitution with a blank")
            << QByteArray("http://x/?a=$(touch pwned8)`touch pwned9`")
            << QStringList{"http://x/?a=$(touch%20pwned8)%60touch%20pwned9%60"};
        QTest::newRow("blanks") << QByteArray("http://x/a b;touch pwned4")
                                << QStringList{"http://x/a%20b;touch%20pwned4"};
        QTest::newRow("double quotes") << QByteArray("http://x/?q=\"a b\"|touch pwned5")
                                       << QStringList{"http://x/?q=%22a%20b%22%7Ctouch%20pwned5"};
        QTest::newRow("double-byte") << QByteArray("http://x/\x83\x5c\x95\x5c")
                                     << QStringList{QStringLiteral("http://x/%E3%82%BD%E8%A1%A8")};
    }
    void runWithParams() {
        QFETCH(QByteArray, url);
        QFETCH(QStringList, arguments);
        FakeXdgTree tree;
        const QString browser = tree.writeFakeBrowser(QStringLiteral("opt/fake browser/run"));
        TDesktopLauncher().RunProgramWithParams(browser.toUtf8(), url);
        QVERIFY(waitForRecord(browser));
        QCOMPARE(FakeXdgTree::ReadRecord(browser),
                 QStringList{tree.path(QStringLiteral("opt/fake browser"))} + arguments);
        QCOMPARE(strayFiles(tree.root()), QStringList{});
        QCOMPARE(strayFiles(QDir::currentPath()), QStringList{});
    }

    // A text that would reach the browser as an option starts nothing; a URL right after it does start.
    void optionLikeStartsNothing() {
        FakeXdgTree tree;
        const QString refused = tree.writeFakeBrowser(QStringLiteral("bin/refused"));
        const QString started = tree.writeFakeBrowser(QStringLiteral("bin/started"));
        TDesktopLauncher launcher;
        launcher.RunProgramWithParams(refused.toUtf8(), "--gpu-launcher=touch pwned http://x/");
        launcher.RunProgramWithParams(started.toUtf8(), "http://x/");
        QVERIFY(waitForRecord(started));
        QTest::qWait(500);
        QVERIFY(!QFile::exists(FakeXdgTree::RecordOf(refused)));
    }

    // A program named without a folder is the file in the current folder that the existence check found,
    // never one found on PATH; it starts in the current folder.
    void programWithoutFolderPart() {
        FakeXdgTree tree;
        const QString browser = tree.writeFakeBrowser(QStringLiteral("home/velfakebrowser"));
        const QString saved = QDir::currentPath();
        QDir::setCurrent(tree.path(QStringLiteral("home")));
        TDesktopLauncher().RunProgramWithParams("velfakebrowser", "http://x/ y");
        QDir::setCurrent(saved);
        QVERIFY(waitForRecord(browser));
        QCOMPARE(FakeXdgTree::ReadRecord(browser),
                 (QStringList{tree.path(QStringLiteral("home")), QStringLiteral("http://x/%20y")}));
    }

    // The browse command from the settings to the process: the default browser of a temporary desktop,
    // started with the URL on its command line, in its own folder.
    void browseWithCommandLine() {
        FakeXdgTree tree;
        const QString browser = tree.writeFakeBrowser(QStringLiteral("bin/fakebrowser"));
        tree.installDefault(QStringLiteral("fake.desktop"), "fakebrowser %u");
        VelGlobals::RunWithCommandLine = true;
        VelGlobals::UseDirectedBrowser = true;
        VelGlobals::DirectedBrowserPath = tree.path(QStringLiteral("bin")).toUtf8(); // a folder: forgotten
        TDesktopLauncher launcher;
        ExecuteBrowse("http://www.qq.co.jp/", TXdgBrowserSystem(tree.environment()), launcher);
        QVERIFY(!VelGlobals::UseDirectedBrowser);
        QVERIFY(waitForRecord(browser));
        QCOMPARE(FakeXdgTree::ReadRecord(browser),
                 (QStringList{tree.path(QStringLiteral("bin")), QStringLiteral("http://www.qq.co.jp/")}));
    }

    // Without the command line the desktop opens the URL: here xdg-open, which finds the default handler in
    // the temporary tree the same way. The process environment points at the tree, so the routines that read
    // the running desktop are used as the main window uses them. A URL that is not valid as it stands reaches
    // the browser percent-encoded, as an address bar would send it.
    void browseThroughDesktop_data() {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QString>("received");
        // No blanks: an opener that evaluated its argument would run these.
        QTest::newRow("shell characters")
            << QByteArray("http://x/?a=1;b|c$(touch${IFS}pwned6)`touch${IFS}pwned7`")
            << QStringLiteral("http://x/?a=1;b%7Cc$(touch$%7BIFS%7Dpwned6)%60touch$%7BIFS%7Dpwned7%60");
        QTest::newRow("blank in the host") << QByteArray("http://a b/") << QStringLiteral("http://a%20b/");
    }
    void browseThroughDesktop() {
        QFETCH(QByteArray, url);
        QFETCH(QString, received);
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
            QSKIP("xdg-open is not installed (package xdg-utils)");
        FakeXdgTree tree;
        const QString browser = tree.writeFakeBrowser(QStringLiteral("bin/fakebrowser"));
        tree.installDefault(QStringLiteral("fake.desktop"), "fakebrowser %u");
        const auto environment = tree.applyToProcess();
        // xdg-open asks for the default handler only when it believes a display is there.
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("DISPLAY", ":65534");
        QCOMPARE(DesktopBrowserIconPath(), browser.toUtf8());
        BrowseOnDesktop(url);
        QVERIFY(waitForRecord(browser));
        QCOMPARE(FakeXdgTree::ReadRecord(browser).mid(1), QStringList{received});
        QCOMPARE(strayFiles(tree.root()), QStringList{});
        QCOMPARE(strayFiles(QDir::currentPath()), QStringList{});
    }
};

QTEST_MAIN(TestDesktopLauncher)
#include "tst_desktoplauncher.moc"
