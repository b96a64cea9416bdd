// A settings file whose writer is killed at any moment is the complete old file or the complete new one.
#include "core/settings/QuickIni.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QList<QByteArray> Templates(char tag, int count) {
    QList<QByteArray> list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append("http://www." + QByteArray(1, tag) + QByteArray::number(i) + "|.co.jp/");
    return list;
}

void WriteTemplates(const QString& path, const QList<QByteArray>& list) {
    TQuickIni ini(path);
    ini.WriteList("Template", list);
    ini.Release();
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int EnvInt(const char* name, int def) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : def;
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesAWholeFile() {
        const int kills = EnvInt("VEL_KILLS", 1000);
        const int templates = EnvInt("VEL_KILL_TEMPLATES", 100000);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Velmarinth.ini"));
        const QList<QByteArray> a = Templates('a', templates);
        const QList<QByteArray> b = Templates('b', templates + 1);
        WriteTemplates(path, b);
        const QByteArray imageB = Bytes(path);
        QElapsedTimer once;
        once.start();
        WriteTemplates(path, a);
        const QByteArray imageA = Bytes(path);
        // Kill anywhere within about two rewrites of the child, each of which reads the file first.
        const int window = static_cast<int>(qMax<qint64>(2, 2 * once.elapsed()));
        QVERIFY(imageA != imageB && imageA.size() > templates * 20);

        int sawA = 0, sawB = 0;
        for (int i = 0; i < kills; ++i) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                // Each write replaces the file with the other one, so every finished write shows.
                bool writeA = Bytes(path) != imageA;
                for (;; writeA = !writeA)
                    WriteTemplates(path, writeA ? a : b);
            }
            usleep(static_cast<useconds_t>(QRandomGenerator::global()->bounded(window * 1000)));
            kill(child, SIGKILL);
            int status = 0;
            waitpid(child, &status, 0);
            const QByteArray now = Bytes(path);
            if (now == imageA)
                ++sawA;
            else if (now == imageB)
                ++sawB;
            else
                QFAIL(qPrintable(
                    QStringLiteral("kill %1: a file of %2 bytes, neither whole file").arg(i).arg(now.size())));
            // A write cut short leaves its temporary file beside the target; clear them as a restart would not.
            for (const QString& stray : QDir(dir.path()).entryList(QDir::Files))
                if (stray != QStringLiteral("Velmarinth.ini"))
                    QFile::remove(dir.filePath(stray));
        }
        // Both outcomes occurred, so kills did land in the middle of writing.
        QVERIFY2(kills < 20 || (sawA > 0 && sawB > 0), qPrintable(QStringLiteral("%1 %2").arg(sawA).arg(sawB)));
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
