#include "core/settings/QuickIni.h"
#include "core/shortcuts/InternetShortcut.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

template <size_t N> QByteArray B(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

const QByteArray kMissing = "<missing>";

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : kMissing;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// 3000 bytes of URL: "http://" and then letters.
QByteArray LongUrl() {
    return "http://" + QByteArray(2993, 'a');
}

bool Chmod(const QString& path, int mode) {
    return ::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(mode)) == 0;
}

// Runs as the unprivileged child of the permission cases: writes a URL into the file.
int RunChild(const QString& path) {
    try {
        WriteInternetShortcut(path, "http://new/");
        std::fputs("ok", stdout);
    } catch (const EFileError& e) {
        std::fputs(e.Message().toUtf8().constData(), stdout);
    }
    return 0;
}

} // namespace

class TestInternetShortcut : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    QString Path() const { return FDir.filePath(QStringLiteral("link.url")); }

private slots:
    void init() { QFile::remove(Path()); }

    // What the file holds after writing the URL into it (kMissing: no file before).
    void write_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << kMissing << B("http://a/") << B("[InternetShortcut]\r\nURL=http://a/\r\n");
        QTest::newRow("empty file") << B("") << B("http://a/") << B("[InternetShortcut]\r\nURL=http://a/\r\n");
        QTest::newRow("leading blanks stored")
            << kMissing << B("  http://a/ ") << B("[InternetShortcut]\r\nURL=  http://a/ \r\n");
        QTest::newRow("long value whole") << kMissing << LongUrl() << "[InternetShortcut]\r\nURL=" + LongUrl() + "\r\n";
        QTest::newRow("value replaced in place")
            << B("; made by hand\r\n[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nURL=old\r\nIconIndex=1\r\n"
                 "[Other]\r\nURL=keep\r\n")
            << B("http://new/")
            << B("; made by hand\r\n[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nURL=http://new/\r\nIconIndex=1\r\n"
                 "[Other]\r\nURL=keep\r\n");
        QTest::newRow("names in other case") << B("[internetSHORTCUT]\nurl = \"old\"\nIconFile=a\n") << B("http://n/")
                                             << B("[internetSHORTCUT]\nurl =http://n/\nIconFile=a\n");
        QTest::newRow("first key of first section")
            << B("[InternetShortcut]\r\nURL=1\r\nURL=2\r\n[InternetShortcut]\r\nURL=3\r\n") << B("x")
            << B("[InternetShortcut]\r\nURL=x\r\nURL=2\r\n[InternetShortcut]\r\nURL=3\r\n");
        QTest::newRow("commented key is another key")
            << B("[InternetShortcut]\r\n;URL=old\r\n") << B("x") << B("[InternetShortcut]\r\n;URL=old\r\nURL=x\r\n");
        QTest::newRow("key missing: end of its section")
            << B("[InternetShortcut]\r\nIconIndex=1\r\n\r\n[Other]\r\nk=v\r\n") << B("x")
            << B("[InternetShortcut]\r\nIconIndex=1\r\nURL=x\r\n\r\n[Other]\r\nk=v\r\n");
        QTest::newRow("key missing, no final break")
            << B("[InternetShortcut]\r\nIconIndex=1") << B("x") << B("[InternetShortcut]\r\nIconIndex=1\r\nURL=x\r\n");
        QTest::newRow("section missing") << B("[Other]\r\nURL=v\r\n") << B("x")
                                         << B("[Other]\r\nURL=v\r\n[InternetShortcut]\r\nURL=x\r\n");
        QTest::newRow("section missing, no final break")
            << B("[Other]\nk=v") << B("x") << B("[Other]\nk=v\r\n[InternetShortcut]\r\nURL=x\r\n");
        QTest::newRow("no final break after the value")
            << B("[InternetShortcut]\r\nURL=old") << B("x") << B("[InternetShortcut]\r\nURL=x");
        QTest::newRow("bracket as second byte is no section end")
            << B("[\x83]x]\r\nURL=a\r\n") << B("x") << B("[\x83]x]\r\nURL=a\r\n[InternetShortcut]\r\nURL=x\r\n");
    }
    void write() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, url);
        QFETCH(QByteArray, after);
        if (before != kMissing)
            WriteFile(Path(), before);
        WriteInternetShortcut(Path(), url);
        QCOMPARE(ReadFile(Path()), after);
    }

    // The URL a file gives back.
    void read_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("url");
        QTest::newRow("no file") << kMissing << B("");
        QTest::newRow("plain") << B("[InternetShortcut]\r\nURL=http://a/\r\n") << B("http://a/");
        QTest::newRow("blanks around removed") << B("[InternetShortcut]\r\nURL=  http://a/ \t\r\n") << B("http://a/");
        QTest::newRow("double quotes") << B("[InternetShortcut]\r\nURL= \"http://a/\" ") << B("http://a/");
        QTest::newRow("single quotes") << B("[InternetShortcut]\r\nURL='http://a/'") << B("http://a/");
        QTest::newRow("one pair only") << B("[InternetShortcut]\r\nURL=\"\"a\"\"") << B("\"a\"");
        QTest::newRow("unmatched quotes kept") << B("[InternetShortcut]\r\nURL=\"a'") << B("\"a'");
        QTest::newRow("after the first equals") << B("[InternetShortcut]\r\nURL=a=b") << B("a=b");
        QTest::newRow("names in other case") << B("[ internetshortcut ]\nUrl = x\n") << B("x");
        QTest::newRow("lf lines, no final break") << B("[Other]\nURL=y\n[InternetShortcut]\nURL=x") << B("x");
        QTest::newRow("key missing") << B("[InternetShortcut]\r\nIconIndex=1\r\n[Other]\r\nURL=y\r\n") << B("");
        QTest::newRow("section missing") << B("URL=x\r\n[Other]\r\nURL=y\r\n") << B("");
        QTest::newRow("section name longer") << B("[InternetShortcuts]\r\nURL=a\r\n") << B("");
        QTest::newRow("section name shorter") << B("[InternetShortcu]\r\nURL=a\r\n") << B("");
        QTest::newRow("section without its bracket") << B("[InternetShortcut\r\nURL=a\r\n") << B("a");
        QTest::newRow("text after the bracket") << B("[InternetShortcut] x\r\nURL=a\r\n") << B("a");
        QTest::newRow("text inside the brackets") << B("[InternetShortcut x]\r\nURL=a\r\n") << B("");
        QTest::newRow("key longer") << B("[InternetShortcut]\r\nURLs=a\r\nURL=b\r\n") << B("b");
        QTest::newRow("key shorter") << B("[InternetShortcut]\r\nUR=a\r\nurl\t=b\r\n") << B("b");
        QTest::newRow("blanks before the key") << B("[InternetShortcut]\r\n \tUrL=a\r\n") << B("a");
        QTest::newRow("key without equals") << B("[InternetShortcut]\r\nURL\r\nURL=b\r\n") << B("b");
        QTest::newRow("3000 bytes cut") << "[InternetShortcut]\r\nURL=" + LongUrl() << LongUrl().first(2047);
        QTest::newRow("2047 bytes whole")
            << "[InternetShortcut]\r\nURL=" + QByteArray(2047, 'a') << QByteArray(2047, 'a');
        QTest::newRow("2048 bytes lose the last")
            << "[InternetShortcut]\r\nURL=" + QByteArray(2047, 'a') + "z" << QByteArray(2047, 'a');
        QTest::newRow("empty quotes") << B("[InternetShortcut]\r\nURL=\"\"") << B("");
        QTest::newRow("empty single quotes") << B("[InternetShortcut]\r\nURL=''\r\n") << B("");
        QTest::newRow("one quote alone") << B("[InternetShortcut]\r\nURL=\"") << B("\"");
        QTest::newRow("blanks inside quotes kept") << B("[InternetShortcut]\r\nURL= ' a ' ") << B(" a ");
        // The quotes come off before the cut: 2047 bytes between them are all kept.
        QTest::newRow("quoted 2047 bytes whole")
            << "[InternetShortcut]\r\nURL=\"" + QByteArray(2047, 'a') + "\"" << QByteArray(2047, 'a');
        QTest::newRow("quoted 2048 bytes lose the last")
            << "[InternetShortcut]\r\nURL='" + QByteArray(2047, 'a') + "z'" << QByteArray(2047, 'a');
        // A cut between the two bytes of a character would leave a lone lead byte.
        QTest::newRow("cut before a split character")
            << "[InternetShortcut]\r\nURL=" + QByteArray(2046, 'a') + "\x82\xa0z" << QByteArray(2046, 'a');
        QTest::newRow("character ends at the limit")
            << "[InternetShortcut]\r\nURL=" + QByteArray(2045, 'a') + "\x82\xa0z" << QByteArray(2045, 'a') + "\x82\xa0";
    }
    void read() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, url);
        if (file != kMissing)
            WriteFile(Path(), file);
        QCOMPARE(ReadInternetShortcut(Path()), url);
    }

    // A file is read only up to 1 MiB: a longer one (or one that is no regular file) is unreadable, which a
    // drop tells apart from a file without the key.
    void readBound_data() {
        QTest::addColumn<QByteArray>("file"); // kMissing: nothing there; "<folder>": a folder
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QByteArray>("url");
        const QByteArray head = "[InternetShortcut]\r\n";
        const QByteArray key = "URL=http://a/";
        const qsizetype mebibyte = 1048576;
        const qsizetype fill = mebibyte - head.size() - key.size();
        QTest::newRow("1 MiB, key last") << head + QByteArray(fill, '\n') + key << true << B("http://a/");
        QTest::newRow("1 MiB and a byte, key last") << head + QByteArray(fill + 1, '\n') + key << false << B("");
        QTest::newRow("key first, then breaks up to 1 MiB")
            << head + key + QByteArray(fill, '\n') << true << B("http://a/");
        QTest::newRow("1 MiB of line breaks") << QByteArray(mebibyte, '\n') << true << B("");
        QTest::newRow("missing") << kMissing << false << B("");
        QTest::newRow("a folder") << B("<folder>") << false << B("");
    }
    void readBound() {
        QFETCH(QByteArray, file);
        QFETCH(bool, readable);
        QFETCH(QByteArray, url);
        if (file == "<folder>")
            QVERIFY(QDir().mkdir(Path()));
        else if (file != kMissing)
            WriteFile(Path(), file);
        const std::optional<QByteArray> read = TryReadInternetShortcut(Path());
        QDir().rmdir(Path());
        QCOMPARE(read.has_value(), readable);
        QCOMPARE(read.value_or(QByteArray()), url);
        QCOMPARE(ReadInternetShortcut(Path()), url);
    }

    // Saving into a shared folder where someone made the name a link to a file of the user's: the link is not
    // followed and the write is reported. The user's own link in the user's own folder is followed.
    void plantedLink_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<bool>("othersLink");
        QTest::addColumn<bool>("written");
        QTest::newRow("my link in my folder") << 0755 << false << true;
        QTest::newRow("my link in a folder open to all") << 01777 << false << false;
        QTest::newRow("my link in a group's folder") << 0775 << false << false;
        QTest::newRow("another user's link in my folder") << 0755 << true << false;
    }
    void plantedLink() {
        QFETCH(int, folderMode);
        QFETCH(bool, othersLink);
        QFETCH(bool, written);
        QTemporaryDir base;
        QVERIFY(Chmod(base.path(), 0700));
        const QString bashrc = base.filePath(".bashrc");
        const QString shared = base.filePath("shared");
        const QString link = shared + "/news.url";
        const QByteArray before = "PS1='$ '\n";
        WriteFile(bashrc, before);
        QVERIFY(QDir().mkdir(shared));
        QVERIFY(QFile::link(bashrc, link));
        QVERIFY(Chmod(shared, folderMode));
        if (othersLink && (geteuid() != 0 || lchown(QFile::encodeName(link).constData(), 65534, 65534) != 0))
            QSKIP("needs root to hand the link to another user");
        QString error;
        try {
            WriteInternetShortcut(link, "http://x/$(touch pwned)");
        } catch (const EFileError& e) {
            error = e.Message();
        }
        QCOMPARE(error, written ? QString() : link + QString::fromUtf8(" に書き込めません"));
        QCOMPARE(ReadFile(bashrc), written ? before + "[InternetShortcut]\r\nURL=http://x/$(touch pwned)\r\n" : before);
        QVERIFY(QFileInfo(link).isSymLink());
    }

    // Written, the URL reads back without the blanks around it.
    void leadingBlanksReadBack() {
        WriteInternetShortcut(Path(), "  http://a/");
        QCOMPARE(ReadInternetShortcut(Path()), QByteArray("http://a/"));
    }

    // A refused write names the file, and the file keeps its bytes.
    void refused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("url");
        QTest::newRow("carriage return") << QStringLiteral("link.url") << B("http://a/\r[x]");
        QTest::newRow("line feed") << QStringLiteral("link.url") << B("http://a/\nIconFile=x");
        QTest::newRow("missing folder") << QStringLiteral("nosuch/x.url") << B("http://a/");
        QTest::newRow("a folder in its place") << QStringLiteral("") << B("http://a/");
    }
    void refused() {
        QFETCH(QString, name);
        QFETCH(QByteArray, url);
        const QByteArray before = "[InternetShortcut]\r\nURL=old\r\n";
        WriteFile(Path(), before);
        const QString path = name.isEmpty() ? FDir.path() : FDir.filePath(name);
        try {
            WriteInternetShortcut(path, url);
            QFAIL("no error");
        } catch (const EFileError& e) {
            QCOMPARE(e.Message(), path + QString::fromUtf8(" に書き込めません"));
        }
        QCOMPARE(ReadFile(Path()), before);
        QVERIFY(!QFile::exists(FDir.filePath(QStringLiteral("nosuch"))));
    }

    // A file that cannot be read or replaced keeps its bytes, and the write is reported. Root may write
    // anywhere, so the writer runs as an unprivileged user.
    void permissions_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("fileMode"); // -1: no file
        QTest::addColumn<bool>("written");
        QTest::newRow("unreadable file") << 0777 << 0222 << false;
        QTest::newRow("read-only file") << 0777 << 0444 << false;
        QTest::newRow("read-only folder") << 0555 << -1 << false;
        QTest::newRow("writable") << 0777 << 0666 << true;
    }
    void permissions() {
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        QFETCH(bool, written);
        const bool root = geteuid() == 0;
        const QString setpriv = QStandardPaths::findExecutable("setpriv");
        if (root && setpriv.isEmpty())
            QSKIP("setpriv is missing: as root every file is writable, so these cases would prove nothing");
        QTemporaryDir base;
        QVERIFY(Chmod(base.path(), 0755));
        const QString program = base.filePath("child");
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), program));
        QVERIFY(Chmod(program, 0755));
        const QString folder = base.filePath("folder");
        QVERIFY(QDir().mkdir(folder));
        const QString path = folder + "/link.url";
        const QByteArray original = "[InternetShortcut]\r\nURL=old\r\nIconIndex=1\r\n";
        if (fileMode >= 0) {
            WriteFile(path, original);
            QVERIFY(Chmod(path, fileMode));
        }
        QVERIFY(Chmod(folder, folderMode));

        QStringList args{"--shortcut-child", path};
        if (root)
            args = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + args;
        QProcess child;
        child.start(root ? setpriv : program, args);
        QVERIFY(child.waitForFinished(30000));
        const QString output = QString::fromUtf8(child.readAllStandardOutput());
        QVERIFY(Chmod(folder, 0755));
        if (fileMode >= 0)
            QVERIFY(Chmod(path, 0644));
        QCOMPARE(output, written ? QStringLiteral("ok") : path + QString::fromUtf8(" に書き込めません"));
        const QByteArray expected = written ? "[InternetShortcut]\r\nURL=http://new/\r\nIconIndex=1\r\n" : original;
        QCOMPARE(ReadFile(path), fileMode >= 0 ? expected : kMissing);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), fileMode >= 0 ? 1 : 0);
    }

    // Which of the dropped paths is taken as a shortcut.
    void firstShortcut_data() {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<int>("index");
        QTest::newRow("none") << QStringList{} << -1;
        QTest::newRow("capitals match, later ones not read") << QStringList{"/t/a.txt", "/t/B.URL", "/t/c.url"} << 1;
        QTest::newRow("folder named .url") << QStringList{"/t/x.url/file", "/t/x.url/f.Url"} << 1;
        QTest::newRow("no extension") << QStringList{"/t/url", "/t/.url.d/url"} << -1;
        QTest::newRow("last dot counts") << QStringList{"/t/a.url.txt", "/t/a.txt.url"} << 1;
        QTest::newRow("url inside a longer extension") << QStringList{"/t/a.urls", "/t/a.ur"} << -1;
        QTest::newRow("hidden file named .url") << QStringList{"/t/.url"} << 0;
    }
    void firstShortcut() {
        QFETCH(QStringList, paths);
        QFETCH(int, index);
        QCOMPARE(FirstInternetShortcut(paths), index);
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], "--shortcut-child") == 0)
        return RunChild(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestInternetShortcut test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_internetshortcut.moc"
