#include "../../support/FakePlatform.h"
#include "../../support/FakeXdgTree.h"
#include "../../support/NamedChild.h"
#include "core/settings/VelGlobals.h"
#include "gui/main/Main.h"
#include "gui/main/UrlBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

#include <sys/stat.h>

namespace {

constexpr qint64 kMiB = 1024 * 1024;
const QString kBefore = QStringLiteral("http://www.before/");

// Makes the dropped file: "breaks:N" N line breaks, "key-last:N" a section, breaks and the key, N bytes in
// all, "lines:T" the line T over and over after a section line, up to 1 MiB ("bare:T" without the section
// line), "sparse:N" N bytes never written, "fifo" a FIFO nobody writes to.
void MakeFile(const QString& path, const QString& kind) {
    const QString what = kind.section(u':', 0, 0);
    const qint64 size = kind.section(u':', 1).toLongLong();
    if (what == u"fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        return;
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (what == u"sparse") {
        QVERIFY(file.resize(size));
    } else if (what == u"breaks") {
        QCOMPARE(file.write(QByteArray(size, '\n')), size);
    } else if (what == u"lines" || what == u"bare") {
        const QByteArray line = kind.section(u':', 1).toLatin1() + '\n';
        QByteArray bytes = what == u"lines" ? "[InternetShortcut]\n" : "";
        while (bytes.size() + line.size() <= kMiB)
            bytes += line;
        QCOMPARE(file.write(bytes), bytes.size());
    } else {
        const QByteArray head = "[InternetShortcut]\r\n";
        const QByteArray key = "URL=http://dropped/";
        QCOMPARE(file.write(head + QByteArray(size - head.size() - key.size(), '\n') + key), size);
    }
}

} // namespace

// A dropped shortcut is read with a bound: a file that is no shortcut the program could have made (longer
// than 1 MiB, a FIFO) changes nothing, and no drop holds the window up for more than 100 ms.
class TestShortcutDrop : public QObject {
    Q_OBJECT

    FakeXdgTree desktop;
    std::unique_ptr<FakeXdgTree::EnvironmentGuard> desktopEnvironment = desktop.applyToProcess(false);
    FakeCapsLock capsLock;
    FakeShellOpen shellOpen;
    FakeClipboard clipboard;

private slots:
    void initTestCase() {
        TfrmMain::ErrorReporter = [](QWidget*, const QString& message) { qWarning() << message; };
        TfrmMain::CapsLock = &capsLock;
        TfrmMain::ShellOpen = &shellOpen;
        TfrmMain::Clipboard = &clipboard;
    }

    void drop_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("boxAfter");
        const QString emptied;
        QTest::newRow("1 MiB of line breaks: no key, the box empties") << "breaks:1048576" << emptied;
        QTest::newRow("1 MiB with the key last") << "key-last:1048576"
                                                 << "http://dropped/";
        // The costliest lines to look at: each is a key line of another key, or looks like a section.
        QTest::newRow("1 MiB of other keys: no key, the box empties") << "lines:k=" << emptied;
        QTest::newRow("1 MiB of one-letter lines") << "lines:a" << emptied;
        QTest::newRow("1 MiB of lines like the key") << "lines:u" << emptied;
        QTest::newRow("1 MiB of keys almost the key") << "lines:urlx=" << emptied;
        QTest::newRow("1 MiB of bracket lines") << "lines:[" << emptied;
        QTest::newRow("1 MiB of sections almost the one") << "bare:[InternetShortcutx" << emptied;
        QTest::newRow("1 MiB and a byte: unchanged") << "key-last:1048577" << kBefore;
        QTest::newRow("1 GiB sparse: unchanged") << "sparse:1073741824" << kBefore;
        QTest::newRow("a FIFO: unchanged, nothing waits") << "fifo" << kBefore;
    }
    void drop() {
        QFETCH(QString, kind);
        QFETCH(QString, boxAfter);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("dropped.url"));
        MakeFile(path, kind);
        VelGlobals::Reset();
        TfrmMain w(dir.path());
        TUrlBox* edURL = Named<TUrlBox>(&w, "edURL");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        // The least of three drops: what the drop itself costs, not what the machine's other work adds.
        qint64 longest = -1;
        for (int attempt = 0; attempt < 3; ++attempt) {
            edURL->setText(kBefore);
            QDragEnterEvent enter(QPoint(20, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edURL, &enter);
            QDropEvent drop(QPoint(20, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QElapsedTimer stall;
            stall.start();
            QApplication::sendEvent(edURL, &drop);
            const qint64 took = stall.elapsed();
            longest = longest < 0 ? took : qMin(longest, took);
            QVERIFY(drop.isAccepted());
            QCOMPARE(edURL->text(), boxAfter);
        }
        qInfo("%s: the window stalls %lld ms", QTest::currentDataTag(), longest);
        QVERIFY2(longest <= 100, qPrintable(QString::number(longest)));
    }
};

QTEST_MAIN(TestShortcutDrop)
#include "tst_shortcutdrop.moc"
