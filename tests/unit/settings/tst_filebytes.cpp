#include "core/settings/FileBytes.h"
#include "core/settings/QuickIni.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace filebytes;

Q_DECLARE_METATYPE(filebytes::ReadStatus)

namespace {

constexpr int kMe = -1;
constexpr int kOther = 65534;

QByteArray Name(const QString& path) {
    return QFile::encodeName(path);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Hands path to another user; only root can, so a row that needs it is skipped otherwise.
bool GiveAway(const QString& path, int owner) {
    if (owner == kMe)
        return true;
    if (::geteuid() != 0)
        return false;
    return ::lchown(Name(path).constData(), static_cast<uid_t>(owner), static_cast<gid_t>(owner)) == 0;
}

bool IsLink(const QString& path) {
    struct stat info {};
    return ::lstat(Name(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return ::stat(Name(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

class TestFileBytes : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    QString At(const QString& relative) const { return FDir.filePath(relative); }

private slots:
    void init() {
        QVERIFY(FDir.isValid());
        QVERIFY(::chmod(Name(FDir.path()).constData(), 0700) == 0);
    }
    void cleanup() {
        // The next row starts afresh; the folder may have been handed away or opened to others.
        QDir(FDir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(FDir.path()));
    }

    // A folder is the user's own when nobody else can put or replace anything in it.
    void isOwnFolder_data() {
        QTest::addColumn<int>("owner");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("own");
        QTest::newRow("mine, 0755") << kMe << 0755 << true;
        QTest::newRow("mine, 0700") << kMe << 0700 << true;
        QTest::newRow("mine, group may read 0750") << kMe << 0750 << true;
        QTest::newRow("mine, group may write 0775") << kMe << 0775 << false;
        QTest::newRow("mine, others may write 0757") << kMe << 0757 << false;
        QTest::newRow("sticky and open to all 01777") << kMe << 01777 << false;
        QTest::newRow("another user's, 0755") << kOther << 0755 << false;
    }
    void isOwnFolder() {
        QFETCH(int, owner);
        QFETCH(int, mode);
        QFETCH(bool, own);
        const QString folder = At(QStringLiteral("f"));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(::chmod(Name(folder).constData(), static_cast<mode_t>(mode)) == 0);
        if (!GiveAway(folder, owner))
            QSKIP("needs root to hand a folder to another user");
        QCOMPARE(IsOwnFolder(folder), own);
    }

    void isOwnFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("owner");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("own");
        QTest::newRow("mine, 0644") << "file" << kMe << 0644 << true;
        QTest::newRow("mine, 0600") << "file" << kMe << 0600 << true;
        QTest::newRow("mine, group may write 0664") << "file" << kMe << 0664 << false;
        QTest::newRow("mine, others may write 0646") << "file" << kMe << 0646 << false;
        QTest::newRow("another user's, 0644") << "file" << kOther << 0644 << false;
        QTest::newRow("my link to my file") << "link" << kMe << 0644 << false;
        QTest::newRow("a folder") << "folder" << kMe << 0755 << false;
        QTest::newRow("nothing") << "none" << kMe << 0644 << false;
    }
    void isOwnFile() {
        QFETCH(QString, kind);
        QFETCH(int, owner);
        QFETCH(int, mode);
        QFETCH(bool, own);
        const QString path = At(QStringLiteral("Velmarinth.ini"));
        const QString real = At(QStringLiteral("real.ini"));
        WriteFile(real, "[Main]\r\n");
        QVERIFY(::chmod(Name(real).constData(), static_cast<mode_t>(mode)) == 0);
        if (kind == u"file")
            QVERIFY(QFile::rename(real, path));
        else if (kind == u"link")
            QVERIFY(QFile::link(real, path));
        else if (kind == u"folder")
            QVERIFY(QDir().mkdir(path));
        if (kind != u"none" && !GiveAway(path, owner))
            QSKIP("needs root to hand a file to another user");
        QCOMPARE(IsOwnFile(path), own);
    }

    // Where a write lands. The link is "l" in folder "shared" (mode given); "target" is "t" in the test's own
    // folder, or "self" for the path itself; empty for a refused write.
    void writeTarget_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("linkOwner");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing there") << "none" << 0755 << kMe << "self";
        QTest::newRow("a regular file") << "file" << 0755 << kMe << "self";
        QTest::newRow("a regular file in a shared folder") << "file" << 01777 << kMe << "self";
        QTest::newRow("my link in my folder") << "link" << 0755 << kMe << "target";
        QTest::newRow("my relative link in my folder") << "relative" << 0755 << kMe << "target";
        QTest::newRow("my link to nothing yet") << "dangling" << 0755 << kMe << "target";
        QTest::newRow("my link in a group-writable folder") << "link" << 0775 << kMe << "";
        QTest::newRow("my link in a shared sticky folder") << "link" << 01777 << kMe << "";
        QTest::newRow("another user's link in my folder") << "link" << 0755 << kOther << "";
        QTest::newRow("my link to a link in a shared folder") << "chain" << 0755 << kMe << "";
        QTest::newRow("a loop of my links") << "loop" << 0755 << kMe << "";
    }
    void writeTarget() {
        QFETCH(QString, setup);
        QFETCH(int, folderMode);
        QFETCH(int, linkOwner);
        QFETCH(QString, expected);
        const QString shared = At(QStringLiteral("shared"));
        const QString link = shared + QStringLiteral("/l");
        const QString target = At(QStringLiteral("t"));
        QVERIFY(QDir().mkdir(shared));
        if (setup != u"dangling")
            WriteFile(target, "keep");
        if (setup == u"file") {
            WriteFile(link, "x");
        } else if (setup == u"link" || setup == u"dangling") {
            QVERIFY(QFile::link(target, link));
        } else if (setup == u"relative") {
            QVERIFY(::symlink("../t", Name(link).constData()) == 0);
        } else if (setup == u"chain") {
            const QString other = At(QStringLiteral("open"));
            QVERIFY(QDir().mkdir(other));
            QVERIFY(::chmod(Name(other).constData(), 01777) == 0);
            QVERIFY(QFile::link(target, other + QStringLiteral("/m")));
            QVERIFY(QFile::link(other + QStringLiteral("/m"), link));
        } else if (setup == u"loop") {
            QVERIFY(QFile::link(shared + QStringLiteral("/k"), link));
            QVERIFY(QFile::link(link, shared + QStringLiteral("/k")));
        }
        QVERIFY(::chmod(Name(shared).constData(), static_cast<mode_t>(folderMode)) == 0);
        if (setup != u"none" && setup != u"file" && !GiveAway(link, linkOwner))
            QSKIP("needs root to hand a link to another user");
        const QString result = WriteTarget(link);
        if (expected == u"self")
            QCOMPARE(result, link);
        else if (expected == u"target")
            QCOMPARE(QDir::cleanPath(result), target);
        else
            QCOMPARE(result, QString());
    }

    // A refused link leaves the file it points at untouched; an allowed one has its target replaced and stays
    // a link.
    void replaceThroughLink_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("linkOwner");
        QTest::addColumn<bool>("written");
        QTest::newRow("my link in my folder") << 0755 << kMe << true;
        QTest::newRow("my link in a shared folder") << 01777 << kMe << false;
        QTest::newRow("another user's link") << 0755 << kOther << false;
    }
    void replaceThroughLink() {
        QFETCH(int, folderMode);
        QFETCH(int, linkOwner);
        QFETCH(bool, written);
        const QString shared = At(QStringLiteral("shared"));
        const QString link = shared + QStringLiteral("/news.url");
        const QString bashrc = At(QStringLiteral(".bashrc"));
        QVERIFY(QDir().mkdir(shared));
        WriteFile(bashrc, "alias ls='ls -F'\n");
        QVERIFY(QFile::link(bashrc, link));
        QVERIFY(::chmod(Name(shared).constData(), static_cast<mode_t>(folderMode)) == 0);
        if (!GiveAway(link, linkOwner))
            QSKIP("needs root to hand a link to another user");
        QCOMPARE(ReplaceAtomically(link, "URL=$(x)\r\n"), written);
        QCOMPARE(ReadFile(bashrc), written ? QByteArray("URL=$(x)\r\n") : QByteArray("alias ls='ls -F'\n"));
        QVERIFY(IsLink(link));
        // No temporary file is left anywhere.
        QCOMPARE(QDir(shared).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("news.url")});
        QCOMPARE(QDir(FDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral(".bashrc")});
    }

    // The settings store writes by the same rule: a settings file that is the user's own link (a dotfile
    // kept elsewhere) is written through; one in a folder others may change is refused with the store's error.
    void settingsThroughLink_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<bool>("written");
        QTest::newRow("my link in my folder") << 0755 << true;
        QTest::newRow("my link in a group-writable folder") << 0775 << false;
    }
    void settingsThroughLink() {
        QFETCH(int, folderMode);
        QFETCH(bool, written);
        const QString config = At(QStringLiteral("config"));
        const QString link = config + QStringLiteral("/Velmarinth.ini");
        const QString dotfile = At(QStringLiteral("dotfiles.ini"));
        QVERIFY(QDir().mkdir(config));
        WriteFile(dotfile, "[Main]\r\nLeft=1\r\n");
        QVERIFY(QFile::link(dotfile, link));
        QVERIFY(::chmod(Name(config).constData(), static_cast<mode_t>(folderMode)) == 0);
        TQuickIni ini(link);
        QCOMPARE(ini.ReadInteger("Main", "Left", 0), 1);
        ini.WriteInteger("Main", "Left", 2);
        QString error;
        try {
            ini.Release();
        } catch (const EFileError& e) {
            error = e.Message();
        }
        QCOMPARE(error, written ? QString() : QString::fromUtf8("ファイル %1 を作成できません").arg(link));
        QCOMPARE(ReadFile(dotfile),
                 written ? QByteArray("[Main]\r\nLeft=2\r\n\r\n") : QByteArray("[Main]\r\nLeft=1\r\n"));
        QVERIFY(IsLink(link));
    }

    // The replacement keeps the old file's permissions; a new file gets the usual ones under the umask.
    void replaceKeepsMode_data() {
        QTest::addColumn<int>("before"); // -1: no file
        QTest::addColumn<int>("after");
        QTest::newRow("0640 stays") << 0640 << 0640;
        QTest::newRow("0600 stays") << 0600 << 0600;
        QTest::newRow("new file, umask 022") << -1 << 0644;
    }
    void replaceKeepsMode() {
        QFETCH(int, before);
        QFETCH(int, after);
        const QString path = At(QStringLiteral("a.ini"));
        if (before >= 0) {
            WriteFile(path, "old");
            QVERIFY(::chmod(Name(path).constData(), static_cast<mode_t>(before)) == 0);
        }
        const mode_t saved = ::umask(022);
        const bool ok = ReplaceAtomically(path, "new");
        ::umask(saved);
        QVERIFY(ok);
        QCOMPARE(ReadFile(path), QByteArray("new"));
        QCOMPARE(static_cast<int>(ModeOf(path)), after);
    }

    // The read bound: limit bytes are read, one more makes the file unreadable.
    void readBound_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("limit");
        QTest::addColumn<ReadStatus>("status");
        QTest::newRow("one below") << 9 << 10 << ReadStatus::Ok;
        QTest::newRow("at the limit") << 10 << 10 << ReadStatus::Ok;
        QTest::newRow("one over") << 11 << 10 << ReadStatus::Unreadable;
        QTest::newRow("empty, limit 0") << 0 << 0 << ReadStatus::Ok;
        QTest::newRow("one byte, limit 0") << 1 << 0 << ReadStatus::Unreadable;
        QTest::newRow("no limit") << 200000 << int(kNoLimit) << ReadStatus::Ok;
    }
    void readBound() {
        QFETCH(int, size);
        QFETCH(int, limit);
        QFETCH(ReadStatus, status);
        const QString path = At(QStringLiteral("f"));
        QByteArray content(size, '\n');
        for (int i = 0; i < size; i += 7)
            content[i] = char('a' + i % 26);
        WriteFile(path, content);
        QByteArray bytes;
        QCOMPARE(ReadAll(path, bytes, limit), status);
        if (status == ReadStatus::Ok)
            QCOMPARE(bytes, content);
    }

    // What is not a regular file is unreadable, and nothing waits for it.
    void readKinds_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("links");
        QTest::addColumn<ReadStatus>("status");
        QTest::newRow("missing") << "missing" << int(Links::Follow) << ReadStatus::Missing;
        QTest::newRow("below a file") << "below file" << int(Links::Follow) << ReadStatus::Missing;
        QTest::newRow("a folder") << "folder" << int(Links::Follow) << ReadStatus::Unreadable;
        QTest::newRow("a FIFO with no writer") << "fifo" << int(Links::Follow) << ReadStatus::Unreadable;
        QTest::newRow("a link, followed") << "link" << int(Links::Follow) << ReadStatus::Ok;
        QTest::newRow("a link, refused") << "link" << int(Links::Refuse) << ReadStatus::Unreadable;
        QTest::newRow("a file, links refused") << "file" << int(Links::Refuse) << ReadStatus::Ok;
    }
    void readKinds() {
        QFETCH(QString, kind);
        QFETCH(int, links);
        QFETCH(ReadStatus, status);
        QString path = At(QStringLiteral("x"));
        const QString real = At(QStringLiteral("real"));
        WriteFile(real, "[InternetShortcut]\r\nURL=http://a/\r\n");
        if (kind == u"below file")
            path = real + QStringLiteral("/x");
        else if (kind == u"folder")
            QVERIFY(QDir().mkdir(path));
        else if (kind == u"fifo")
            QVERIFY(::mkfifo(Name(path).constData(), 0600) == 0);
        else if (kind == u"link")
            QVERIFY(QFile::link(real, path));
        else if (kind == u"file")
            path = real;
        QElapsedTimer timer;
        timer.start();
        QByteArray bytes;
        QCOMPARE(ReadAll(path, bytes, kNoLimit, static_cast<Links>(links)), status);
        QVERIFY(timer.elapsed() < 2000);
        if (status == ReadStatus::Ok)
            QCOMPARE(bytes, QByteArray("[InternetShortcut]\r\nURL=http://a/\r\n"));
    }

    // A sparse file claims a gibibyte it never stored: refused by its length, without reading.
    void sparseGibibyte() {
        const QString path = At(QStringLiteral("big.url"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(1) << 30));
        }
        QElapsedTimer timer;
        timer.start();
        QByteArray bytes;
        QCOMPARE(ReadAll(path, bytes, 1024 * 1024), ReadStatus::Unreadable);
        QVERIFY2(timer.elapsed() < 100, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(bytes.capacity() <= 1024 * 1024 + 1);
    }
};

QTEST_APPLESS_MAIN(TestFileBytes)
#include "tst_filebytes.moc"
