#include "core/shortcuts/FolderPreselection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFolderPreselection : public QObject {
    Q_OBJECT
private slots:
    void normalizeFolder_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("expected");
        // Paths are relative to a temporary folder holding "sub/" and the file "sub/file.txt".
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("folder as given") << "sub"
                                         << "sub";
        QTest::newRow("folder with its /") << "sub/"
                                           << "sub/";
        QTest::newRow("file: its folder with /") << "sub/file.txt"
                                                 << "sub/";
        QTest::newRow("missing file") << "sub/none.txt" << QString();
        QTest::newRow("missing folder") << "gone/" << QString();
    }
    void normalizeFolder() {
        QFETCH(QString, given);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QFile file(dir.filePath(QStringLiteral("sub/file.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString root = dir.path() + QLatin1Char('/');
        const QString result = NormalizeFolder(given.isEmpty() ? given : root + given);
        QCOMPARE(result, expected.isEmpty() ? expected : root + expected);
    }
};

QTEST_MAIN(TestFolderPreselection)
#include "tst_folderpreselection.moc"
