#include "../../support/FakeXdgTree.h"
#include "platform/xdg/DesktopEntry.h"
#include "platform/xdg/XdgBrowserSystem.h"

#include <QTest>

namespace {

const QByteArray kScript = "#!/bin/sh\nexit 0\n";

// Files of a tree: "path\ncontent", or "path -> target" for a link; files below bin/ and opt/ are programs.
// "@" stands for the tree's root.
void build(const FakeXdgTree& tree, const QStringList& files) {
    for (QString item : files) {
        item.replace(u'@', tree.root());
        const qsizetype arrow = item.indexOf(QStringLiteral(" -> "));
        if (arrow > 0) {
            QDir().mkpath(QFileInfo(tree.path(item.left(arrow))).path());
            QFile::link(item.mid(arrow + 4), tree.path(item.left(arrow)));
            continue;
        }
        const qsizetype lineEnd = item.indexOf(u'\n');
        const QString file = lineEnd < 0 ? item : item.left(lineEnd);
        const QByteArray content = lineEnd < 0 ? kScript : item.mid(lineEnd + 1).toUtf8();
        tree.write(file, content, file.startsWith(QStringLiteral("bin/")) || file.startsWith(QStringLiteral("opt/")));
    }
}

QString entry(const QString& exec, const QString& more = QString()) {
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=B\nExec=") + exec + u'\n' + more;
}

QString handler(const QString& ids) {
    return QStringLiteral("[Default Applications]\nx-scheme-handler/http=") + ids + u'\n';
}

} // namespace

class TestXdgBrowser : public QObject {
    Q_OBJECT
private slots:
    void execLine_data() {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("program and %u") << QStringLiteral("firefox %u") << QStringList{"firefox"};
        QTest::newRow("all file and URL codes")
            << QStringLiteral("b %f %F %u %U %i %c %k %d %D %n %N %v %m") << QStringList{"b"};
        QTest::newRow("quoted program with blanks")
            << QStringLiteral("\"/opt/My Browser/run\" --new %U") << QStringList{"/opt/My Browser/run", "--new"};
        QTest::newRow("escapes inside quotes") << QStringLiteral("b \"a\\\"b\" \"c\\\\d\" \"\\$x\" \"\\`y\\`\"")
                                               << QStringList{"b", "a\"b", "c\\d", "$x", "`y`"};
        QTest::newRow("embedded code") << QStringLiteral("b --url=%u") << QStringList{"b", "--url="};
        QTest::newRow("percent sign") << QStringLiteral("b 100%%") << QStringList{"b", "100%"};
        QTest::newRow("extra blanks") << QStringLiteral("  b   x  ") << QStringList{"b", "x"};
        QTest::newRow("empty quoted argument") << QStringLiteral("b \"\"") << QStringList{"b", ""};
        QTest::newRow("broken quoting") << QStringLiteral("b \"open") << QStringList{};
        QTest::newRow("empty") << QString() << QStringList{};
    }
    void execLine() {
        QFETCH(QString, exec);
        QFETCH(QStringList, arguments);
        QCOMPARE(SplitExecLine(exec), arguments);
    }

    void parseEntry() {
        const TDesktopEntry e = ParseDesktopEntry("# comment\n"
                                                  "[Desktop Entry]\n"
                                                  "Name[ja]=x\n"
                                                  "Exec = \"/opt/a b/run\"\\s--x %u\r\n"
                                                  "Icon=/icons/b\\\\c.png\n"
                                                  "TryExec=run\n"
                                                  "Hidden=true\n"
                                                  "[Desktop Action new]\n"
                                                  "Exec=other\n"
                                                  "Icon=other\n");
        QCOMPARE(e.Exec, QStringLiteral("\"/opt/a b/run\" --x %u"));
        QCOMPARE(e.Icon, QStringLiteral("/icons/b\\c.png"));
        QCOMPARE(e.TryExec, QStringLiteral("run"));
        QVERIFY(e.Hidden);
        QCOMPARE(UnescapeDesktopString(u"a\\sb\\tc\\nd\\re\\\\f\\qg\\"), QStringLiteral("a b\tc\nd\re\\f\\qg\\"));
    }

    // Paths in "expected" are relative to the tree; "-" means empty.
    void defaultBrowser_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("expected");
        const QString b = QStringLiteral("bin/b");
        const QString c = QStringLiteral("bin/c");
        const QString www = QStringLiteral("bin/x-www-browser");
        QTest::newRow("config home") << QStringList{b, "data/applications/b.desktop\n" + entry("b %u"),
                                                    "config/mimeapps.list\n" + handler("b.desktop")}
                                     << QString() << b;
        QTest::newRow("config home before data dirs")
            << QStringList{b,
                           c,
                           "data/applications/b.desktop\n" + entry("b %u"),
                           "data/applications/c.desktop\n" + entry("c %u"),
                           "share/applications/mimeapps.list\n" + handler("c.desktop"),
                           "config/mimeapps.list\n" + handler("b.desktop")}
            << QString() << b;
        QTest::newRow("config dirs before data home")
            << QStringList{b,
                           c,
                           "data/applications/b.desktop\n" + entry("b %u"),
                           "data/applications/c.desktop\n" + entry("c %u"),
                           "etc/mimeapps.list\n" + handler("c.desktop"),
                           "data/applications/mimeapps.list\n" + handler("b.desktop")}
            << QString() << c;
        QTest::newRow("desktop-specific list first")
            << QStringList{b,
                           c,
                           "data/applications/b.desktop\n" + entry("b %u"),
                           "data/applications/c.desktop\n" + entry("c %u"),
                           "config/mimeapps.list\n" + handler("b.desktop"),
                           "config/velde-mimeapps.list\n" + handler("c.desktop")}
            << QStringLiteral("VelDE:GNOME") << c;
        QTest::newRow("next id when the first is not installed")
            << QStringList{c, "data/applications/c.desktop\n" + entry("c %u"),
                           "config/mimeapps.list\n" + handler("gone.desktop;c.desktop;")}
            << QString() << c;
        QTest::newRow("next file when no id is installed")
            << QStringList{c, "share/applications/c.desktop\n" + entry("c %u"),
                           "config/mimeapps.list\n" + handler("gone.desktop"),
                           "share/applications/defaults.list\n" + handler("c.desktop")}
            << QString() << c;
        QTest::newRow("entry in a vendor folder")
            << QStringList{b, "share/applications/vendor/b.desktop\n" + entry("b"),
                           "config/mimeapps.list\n" + handler("vendor-b.desktop")}
            << QString() << b;
        QTest::newRow("data home entry hides data dirs entry")
            << QStringList{b, c, "data/applications/b.desktop\n" + entry("c %u"),
                           "share/applications/b.desktop\n" + entry("b %u"),
                           "config/mimeapps.list\n" + handler("b.desktop")}
            << QString() << c;
        QTest::newRow("absolute program with blanks")
            << QStringList{"opt/My Browser/run", "data/applications/b.desktop\n" + entry("\"@/opt/My Browser/run\" %U"),
                           "config/mimeapps.list\n" + handler("b.desktop")}
            << QString() << QStringLiteral("opt/My Browser/run");
        QTest::newRow("hidden entry: fallback")
            << QStringList{b, www, "data/applications/b.desktop\n" + entry("b %u", "Hidden=true\n"),
                           "config/mimeapps.list\n" + handler("b.desktop")}
            << QString() << www;
        QTest::newRow("TryExec missing: fallback")
            << QStringList{b, www, "data/applications/b.desktop\n" + entry("b %u", "TryExec=gone\n"),
                           "config/mimeapps.list\n" + handler("b.desktop")}
            << QString() << www;
        QTest::newRow("fixed arguments name no file: fallback")
            << QStringList{b, www, "data/applications/b.desktop\n" + entry("b --new-window %u"),
                           "config/mimeapps.list\n" + handler("b.desktop")}
            << QString() << www;
        QTest::newRow("program not on PATH: fallback")
            << QStringList{www, "data/applications/b.desktop\n" + entry("gone %u"),
                           "config/mimeapps.list\n" + handler("b.desktop")}
            << QString() << www;
        QTest::newRow("program not executable: fallback")
            << QStringList{www, "home/b", "data/applications/b.desktop\n" + entry("@/home/b %u"),
                           "config/mimeapps.list\n" + handler("b.desktop")}
            << QString() << www;
        QTest::newRow("fallback keeps its link name")
            << QStringList{"opt/real/browser", "bin/x-www-browser -> @/opt/real/browser"} << QString() << www;
        QTest::newRow("handler for another type only")
            << QStringList{b, "data/applications/b.desktop\n" + entry("b %u"),
                           "config/mimeapps.list\n[Default Applications]\nx-scheme-handler/https=b.desktop\n"}
            << QString() << QStringLiteral("-");
        QTest::newRow("added associations are no default")
            << QStringList{b, "data/applications/b.desktop\n" + entry("b %u"),
                           "config/mimeapps.list\n[Added Associations]\nx-scheme-handler/http=b.desktop\n"}
            << QString() << QStringLiteral("-");
        QTest::newRow("nothing") << QStringList{} << QString() << QStringLiteral("-");
    }
    void defaultBrowser() {
        QFETCH(QStringList, files);
        QFETCH(QString, desktop);
        QFETCH(QString, expected);
        FakeXdgTree tree;
        QVERIFY(tree.isValid());
        build(tree, files);
        QProcessEnvironment env = tree.environment();
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
        const QByteArray path = GetDefaultBrowserPath(TXdgBrowserSystem(env));
        QCOMPARE(QString::fromUtf8(path), expected == u"-" ? QString() : tree.path(expected));
    }

    // Relative XDG folders are ignored: the defaults below HOME count instead.
    void relativeXdgFolders() {
        FakeXdgTree tree;
        build(tree, {"bin/b", "home/.local/share/applications/b.desktop\n" + entry("b %u"),
                     "home/.config/mimeapps.list\n" + handler("b.desktop")});
        QProcessEnvironment env = tree.environment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("data"));
        QCOMPARE(QString::fromUtf8(GetDefaultBrowserPath(TXdgBrowserSystem(env))), tree.path("bin/b"));
    }

    void longPath_data() {
        QTest::addColumn<QString>("path"); // "@" stands for the tree
        QTest::addColumn<QString>("expected");
        QTest::newRow("absolute file") << QStringLiteral("@/opt/a/run") << QStringLiteral("@/opt/a/run");
        QTest::newRow("relative file") << QStringLiteral("opt/a/run") << QStringLiteral("@/opt/a/run");
        QTest::newRow("dots") << QStringLiteral("@/opt/./a/../a/run") << QStringLiteral("@/opt/a/run");
        QTest::newRow("linked folder") << QStringLiteral("@/lnk/run") << QStringLiteral("@/opt/a/run");
        QTest::newRow("linked file keeps its name")
            << QStringLiteral("@/opt/a/alias") << QStringLiteral("@/opt/a/alias");
        QTest::newRow("folder") << QStringLiteral("@/opt/a/") << QStringLiteral("@/opt/a");
        QTest::newRow("missing") << QStringLiteral("@/opt/a/gone") << QString();
        QTest::newRow("dangling link") << QStringLiteral("@/opt/a/dangling") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("/");
    }
    void longPath() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        FakeXdgTree tree;
        build(tree, {"opt/a/run", "lnk -> @/opt/a", "opt/a/alias -> run", "opt/a/dangling -> gone"});
        for (QString* s : {&path, &expected})
            s->replace(u'@', tree.root());
        const QString saved = QDir::currentPath();
        QDir::setCurrent(tree.root());
        const QByteArray result = GetLongPath(path.toUtf8());
        QDir::setCurrent(saved);
        QCOMPARE(QString::fromUtf8(result), expected);
    }

    // A path outside code page 932 is refused rather than handed on changed.
    void unencodablePath() {
        FakeXdgTree tree;
        build(tree, {QStringLiteral("opt/\U0001F600/run")});
        QVERIFY(QFileInfo::exists(tree.path(QStringLiteral("opt/\U0001F600/run"))));
        QCOMPARE(GetLongPath(tree.path(QStringLiteral("opt/\U0001F600/run")).toUtf8()), QByteArray());
    }

    void isFile() {
        FakeXdgTree tree;
        build(tree, {"opt/a/run"});
        const TXdgBrowserSystem system(tree.environment());
        QVERIFY(system.IsFile(tree.path("opt/a/run").toUtf8()));
        QVERIFY(!system.IsFile(tree.path("opt/a").toUtf8()));
        QVERIFY(!system.IsFile(tree.path("opt/a/gone").toUtf8()));
        QVERIFY(!system.IsFile(QByteArray()));
    }
};

QTEST_GUILESS_MAIN(TestXdgBrowser)
#include "tst_xdgbrowser.moc"
