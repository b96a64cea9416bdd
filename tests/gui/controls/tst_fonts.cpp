#include "gui/controls/Fonts.h"
#include "gui/controls/Looks.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QTest>

namespace {

// Text as a key or the menu bar shows it, black on white, without blending, so two drawings compare exactly.
QImage Drawn(QFont font, const QString& text) {
    font.setStyleStrategy(QFont::NoAntialias);
    QImage image(360, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
}

int InkPixels(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) != qRgb(0xFF, 0xFF, 0xFF);
    return ink;
}

} // namespace

class TestFonts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { MapWindowsFonts(); }

    // Each Windows face has its own stand-in; any other name, however close, is left as it is.
    void standInFamily_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("family");
        QTest::newRow("P Gothic") << QString::fromUtf8("ＭＳ Ｐゴシック") << "IPAPGothic";
        QTest::newRow("Gothic") << QString::fromUtf8("ＭＳ ゴシック") << "IPAGothic";
        QTest::newRow("P Mincho") << QString::fromUtf8("ＭＳ Ｐ明朝") << "IPAPMincho";
        QTest::newRow("Mincho has none") << QString::fromUtf8("ＭＳ 明朝") << QString::fromUtf8("ＭＳ 明朝");
        QTest::newRow("trailing blank") << QString::fromUtf8("ＭＳ Ｐゴシック ")
                                        << QString::fromUtf8("ＭＳ Ｐゴシック ");
        QTest::newRow("half-width letters") << QString::fromUtf8("MS PGothic") << "MS PGothic";
        QTest::newRow("installed name") << "IPAPGothic"
                                        << "IPAPGothic";
        QTest::newRow("empty") << ""
                               << "";
    }
    void standInFamily() {
        QFETCH(QString, face);
        QFETCH(QString, family);
        QCOMPARE(StandInFamily(face.toUtf8().constData()), family);
    }

    // A font of the interface asks for a family that is installed (one Qt's font list lacks costs a sorted
    // fallback list from the font configuration for every writing system it meets), and draws exactly what the
    // Windows face drew through the substitution, at every size and weight the window uses.
    void faceFontDrawsTheSubstitutedFont_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("family");
        const QString gothic = QString::fromUtf8("ＭＳ Ｐゴシック"), mincho = QString::fromUtf8("ＭＳ Ｐ明朝");
        QTest::newRow("window 12") << gothic << 12 << false << "IPAPGothic";
        QTest::newRow("letter key 19 bold") << gothic << 19 << true << "IPAPGothic";
        QTest::newRow("caret key 20 bold") << gothic << 20 << true << "IPAPGothic";
        QTest::newRow("clipboard key 15 bold") << gothic << 15 << true << "IPAPGothic";
        QTest::newRow("caps key 13 bold") << gothic << 13 << true << "IPAPGothic";
        QTest::newRow("fragment key 16 bold") << mincho << 16 << true << "IPAPMincho";
        QTest::newRow("symbol key 19 bold") << mincho << 19 << true << "IPAPMincho";
        QTest::newRow("url box 21 bold") << mincho << 21 << true << "IPAPMincho";
        QTest::newRow("template edit 16 bold") << QString::fromUtf8("ＭＳ ゴシック") << 16 << true << "IPAGothic";
    }
    void faceFontDrawsTheSubstitutedFont() {
        QFETCH(QString, face);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        QFETCH(QString, family);
        const QFont font = FaceFont(face.toUtf8().constData(), pixels, bold);
        QCOMPARE(font.families().value(0), family);
        QVERIFY(QFontDatabase::hasFamily(font.families().value(0)));
        QCOMPARE(font.pixelSize(), pixels);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(QFontInfo(font).family(), family);

        QFont substituted(face);
        substituted.setPixelSize(pixels);
        substituted.setBold(bold);
        QCOMPARE(QFontInfo(substituted).family(), family);
        const QString text = QString::fromUtf8("http://www. .co.jp/ AC Del ファイル(&F) 設定 ヘルプ");
        const QImage drawn = Drawn(font, text);
        QVERIFY(InkPixels(drawn) > 200);
        QCOMPARE(drawn, Drawn(substituted, text));
    }

    // The template menu keeps the menu's own font but for the fixed-width face, 15 pixels high.
    void templateMenuFont() {
        QFont menu(QStringLiteral("DejaVu Sans"));
        menu.setPointSize(9);
        menu.setItalic(true);
        const QFont font = TemplateMenuFont(menu);
        QCOMPARE(font.families(), QStringList{"IPAGothic"});
        QCOMPARE(font.pixelSize(), 15);
        QVERIFY(font.italic());
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("IPAGothic"));
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
