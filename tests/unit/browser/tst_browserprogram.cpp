#include "core/browser/BrowserProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestBrowserProgram : public QObject {
    Q_OBJECT
private slots:
    void isBrowserProgram_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");
        // In a temporary folder: "run" (executable file), "text" (plain file), "dir" (executable folder).
        QTest::newRow("empty path") << QString() << false;
        QTest::newRow("executable file") << "run" << true;
        QTest::newRow("file without execute permission") << "text" << false;
        QTest::newRow("folder, though searchable") << "dir" << false;
        QTest::newRow("missing") << "gone" << false;
    }
    void isBrowserProgram() {
        QFETCH(QString, name);
        QFETCH(bool, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir")));
        for (const char* file : {"run", "text"}) {
            QFile f(dir.filePath(QLatin1String(file)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("run")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("text")), QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(IsBrowserProgram(name.isEmpty() ? name : dir.filePath(name)), expected);
    }
};

QTEST_MAIN(TestBrowserProgram)
#include "tst_browserprogram.moc"
