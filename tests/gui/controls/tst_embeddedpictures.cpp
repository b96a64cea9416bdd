#include "gui/controls/EmbeddedPictures.h"
#include "gui/controls/ProgramPictures.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QTest>

// The pictures compiled into the program give, pixel for pixel and in the same format, the pixmap that
// reading the picture file at run time gives.
class TestEmbeddedPictures : public QObject {
    Q_OBJECT

    static QString Resource(const char* file) { return QStringLiteral(VEL_TEST_DATA "/../../resources/") + file; }

private slots:
    void sameAsTheFile_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("file");
        QTest::newRow("opaque button") << QByteArray("BrowseNormal") << Resource("buttons/BrowseNormal.png");
        QTest::newRow("2x button") << QByteArray("MakeISDisable@2x") << Resource("buttons/MakeISDisable@2x.png");
        QTest::newRow("picture with alpha") << QByteArray("Title") << Resource("buttons/Title.png");
        QTest::newRow("XPM glyph") << QByteArray("Paste") << Resource("glyphs/Paste.xpm");
        QTest::newRow("icon 16") << QByteArray("velmarinth-16") << Resource("icons/velmarinth-16.png");
        QTest::newRow("icon 32") << QByteArray("velmarinth-32") << Resource("icons/velmarinth-32.png");
    }
    void sameAsTheFile() {
        QFETCH(QByteArray, name);
        QFETCH(QString, file);
        QImage fromFile = QPixmap(file).toImage();
        // A file named "@2x" comes with a ratio of 2, which ProgramPicture sets by itself.
        fromFile.setDevicePixelRatio(1.0);
        QVERIFY(!fromFile.isNull());
        const QImage embedded = QPixmap::fromImage(EmbeddedPicture(name.constData())).toImage();
        QCOMPARE(embedded.format(), fromFile.format());
        QCOMPARE(embedded.size(), fromFile.size());
        QCOMPARE(embedded, fromFile);
    }

    void unknownNamesGiveNothing_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("a name's beginning") << QByteArray("Browse");
        QTest::newRow("with its extension") << QByteArray("Copy.xpm");
        QTest::newRow("other case") << QByteArray("copy");
    }
    void unknownNamesGiveNothing() {
        QFETCH(QByteArray, name);
        QVERIFY(EmbeddedPicture(name.constData()).isNull());
    }

    void aPixmapDrawsFromTheProgramsMemory() {
        const QImage drawn = PixmapOf("Copy").toImage();
        QCOMPARE(drawn.constBits(), EmbeddedPicture("Copy").constBits());
    }

    void theIconHasBothSizes() {
        const QIcon icon = ProgramIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        QCOMPARE(icon.pixmap(QSize(32, 32)).toImage(), QPixmap(Resource("icons/velmarinth-32.png")).toImage());
    }
};

QTEST_MAIN(TestEmbeddedPictures)
#include "tst_embeddedpictures.moc"
