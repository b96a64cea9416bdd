#include "../../support/FakePlatform.h"
#include "../../support/FakeXdgTree.h"
#include "core/settings/VelGlobals.h"
#include "gui/main/Main.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <memory>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

const QByteArray kHeader = ";******************************************\r\n"
                           ";*     Velmarinth initialization file     *\r\n"
                           ";******************************************\r\n\r\n";

// Lets the event loop run for a moment, as it does between two signals.
void Spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class TestSessionEnd : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    FakeXdgTree desktop;
    std::unique_ptr<FakeXdgTree::EnvironmentGuard> desktopEnvironment = desktop.applyToProcess(false);
    FakeCapsLock capsLock;
    FakeShellOpen shellOpen;
    FakeClipboard clipboard;
    QStringList sessionEndReports;

    QString Ini() const { return dir->filePath(QStringLiteral("Velmarinth.ini")); }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        sessionEndReports.clear();
        TfrmMain::SessionEndReporter = [this](const QString& message) { sessionEndReports << message; };
        TfrmMain::CapsLock = &capsLock;
        TfrmMain::ShellOpen = &shellOpen;
        TfrmMain::Clipboard = &clipboard;
        VelGlobals::Reset();
    }

    void signalWhileStartupErrorBoxIsShown_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    // The settings file cannot be read, so start-up shows its error box; the signal comes while it waits for
    // the user. The box closes, start-up ends, the settings are written once and the program does not go on.
    void signalWhileStartupErrorBoxIsShown() {
        QFETCH(int, signal);
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Velmarinth.ini")));
        int boxes = 0;
        qint64 boxOpenMs = -1;
        TfrmMain::ErrorReporter = [&](QWidget* parent, const QString& message) {
            ++boxes;
            QMessageBox box(QMessageBox::Critical, QStringLiteral("Velmarinth "), message, QMessageBox::Ok, parent);
            QTimer::singleShot(0, [signal] { std::raise(signal); });
            // Only so that a box left open cannot hold the test up for ever.
            QTimer::singleShot(5000, &box, &QDialog::reject);
            QElapsedTimer open;
            open.start();
            box.exec();
            boxOpenMs = open.elapsed();
        };
        auto w = std::make_unique<TfrmMain>(dir->path());
        QCOMPARE(boxes, 1);
        QVERIFY2(boxOpenMs < 4000, "the box waited for the user");
        QVERIFY(w->EndRequested());
        // The write was tried once (the file is a folder, so it is reported without waiting for anyone).
        QCOMPARE(sessionEndReports, QStringList{QString::fromUtf8("ファイル %1 は開けません").arg(Ini())});
        // A second signal writes nothing more.
        std::raise(signal);
        Spin(100);
        QCOMPARE(sessionEndReports.size(), 1);
        QCOMPARE(boxes, 1);
    }

    void signalBeforeTheEventLoop_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    // The signal comes after start-up, before the event loop runs: the loop, once started, ends at once and
    // the settings file is written whole.
    void signalBeforeTheEventLoop() {
        QFETCH(int, signal);
        QStringList boxes;
        TfrmMain::ErrorReporter = [&boxes](QWidget*, const QString& message) { boxes << message; };
        auto w = std::make_unique<TfrmMain>(dir->path());
        std::raise(signal);
        QVERIFY(!w->EndRequested());
        QTimer guard;
        guard.setSingleShot(true);
        bool guardFired = false;
        connect(&guard, &QTimer::timeout, [&guardFired] {
            guardFired = true;
            QCoreApplication::quit();
        });
        guard.start(5000);
        QApplication::exec();
        QVERIFY(!guardFired);
        QVERIFY(w->EndRequested());
        QVERIFY(ReadFile(Ini()).startsWith(kHeader + "[Main]\r\nLeft="));
        QVERIFY(boxes.isEmpty());
        QVERIFY(sessionEndReports.isEmpty());
    }
};

QTEST_MAIN(TestSessionEnd)
#include "tst_sessionend.moc"
