#include "controls/KeyGlyphs.h"
#include "controls/MoxSBUtils.h"

#include <QPainter>
#include <QTest>

namespace {

const QColor kSentinel(0x12, 0x34, 0x56);
const QColor kShadow(0x00, 0x00, 0xFF);
const QColor kLight(0x00, 0xFF, 0x00);
const QColor kFace(0xFF, 0xFF, 0xFF);
const QColor kMagenta(0xFF, 0x00, 0xFF);

QFont TestFont() {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(14);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias); // exact colours, no blending at the edges
    return font;
}

struct Face {
    int W = 40;
    int H = 20;
    TMoxAlignment alignment = TMoxAlignment::taCenter;
    QString caption;
    TMoxSpeedButtonLayout layout = blGlyphLeft;
    QFont font = TestFont();
    QColor fontColor = Qt::black;
    QColor shadow = kShadow;
    QColor light = kLight;
    QColor hot;
    QColor whenDown;
    QColor face = kFace;
    bool wordWrap = false;
    bool flat = false;
    bool enabled = true;
    bool transparent = false;
    bool inside = false;
    bool down = false;
    QImage glyph;
    int numGlyphs = 0;
    int hotLevel = 0;

    QImage Render() const {
        QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
        image.fill(kSentinel);
        QPainter canvas(&image);
        DrawButtonFace(canvas, W, H, alignment, caption, layout, font, fontColor, shadow, light, hot, whenDown, face,
                       wordWrap, flat, enabled, transparent, inside, down, glyph, numGlyphs, hotLevel);
        return image;
    }
};

bool Contains(const QImage& image, const QColor& color) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

// A strip of cells, each filled with its own colour except the bottom row (the transparent colour).
QImage Strip(const QList<QColor>& cells, int cellWidth = 8, int cellHeight = 8) {
    QImage strip(cellWidth * int(cells.size()), cellHeight, QImage::Format_RGB32);
    strip.fill(kMagenta);
    QPainter painter(&strip);
    for (int i = 0; i < cells.size(); ++i)
        painter.fillRect(i * cellWidth, 0, cellWidth, cellHeight - 1, cells[i]);
    return strip;
}

// A 16 × 10 glyph whose pixel (c, r) has colour (10 + 10c, 20 + 10r, 50), bottom row transparent, so
// any visible pixel tells where the glyph's origin is even when part of it lies outside the face.
QImage CoordinateGlyph() {
    QImage glyph(16, 10, QImage::Format_RGB32);
    glyph.fill(kMagenta);
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 16; ++c)
            glyph.setPixelColor(c, r, QColor(10 + 10 * c, 20 + 10 * r, 50));
    return glyph;
}

std::optional<QPoint> GlyphOrigin(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor color = image.pixelColor(x, y);
            if (color.blue() == 50 && color.red() % 10 == 0 && color.green() % 10 == 0)
                return QPoint(x - (color.red() - 10) / 10, y - (color.green() - 20) / 10);
        }
    return std::nullopt;
}

} // namespace

class TestMoxSBUtils : public QObject {
    Q_OBJECT
private slots:
    void frame_data() {
        QTest::addColumn<int>("W");
        QTest::addColumn<int>("H");
        QTest::addColumn<bool>("flat");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("framed");
        QTest::addColumn<bool>("shadowFirst"); // top and left edges in the shadow colour
        QTest::newRow("up") << 40 << 20 << false << true << false << false << true << false;
        QTest::newRow("up hot") << 40 << 20 << false << true << true << false << true << false;
        QTest::newRow("down") << 40 << 20 << false << true << false << true << true << true;
        QTest::newRow("flat not hot") << 40 << 20 << true << true << false << false << false << false;
        QTest::newRow("flat hot") << 40 << 20 << true << true << true << false << true << false;
        QTest::newRow("flat down") << 40 << 20 << true << true << false << true << true << true;
        QTest::newRow("flat down hot") << 40 << 20 << true << true << true << true << true << true;
        QTest::newRow("disabled flat hot down") << 40 << 20 << true << false << true << true << false << false;
        QTest::newRow("disabled down drawn up") << 40 << 20 << false << false << true << true << true << false;
        QTest::newRow("2 x 2") << 2 << 2 << false << true << false << false << true << false;
        QTest::newRow("2 x 2 down") << 2 << 2 << false << true << false << true << true << true;
    }
    void frame() {
        QFETCH(int, W);
        QFETCH(int, H);
        Face face;
        face.W = W;
        face.H = H;
        QFETCH(bool, flat);
        QFETCH(bool, enabled);
        QFETCH(bool, inside);
        QFETCH(bool, down);
        face.flat = flat;
        face.enabled = enabled;
        face.inside = inside;
        face.down = down;
        QFETCH(bool, framed);
        QFETCH(bool, shadowFirst);
        const QImage image = face.Render();
        const QColor first = !framed ? kFace : shadowFirst ? kShadow : kLight;
        const QColor second = !framed ? kFace : shadowFirst ? kLight : kShadow;
        QCOMPARE(image.pixelColor(0, 0), first);
        QCOMPARE(image.pixelColor(0, H - 1), first);  // bottom-left corner: first colour
        QCOMPARE(image.pixelColor(W - 1, 0), second); // top-right corner: second colour
        QCOMPARE(image.pixelColor(W - 1, H - 1), second);
        if (W > 2 && H > 2) {
            QCOMPARE(image.pixelColor(W / 2, 0), first);
            QCOMPARE(image.pixelColor(0, H / 2), first);
            QCOMPARE(image.pixelColor(W / 2, H - 1), second);
            QCOMPARE(image.pixelColor(W - 1, H / 2), second);
            QCOMPARE(image.pixelColor(1, 1), kFace); // one pixel wide
        }
    }

    void faceColour_data() {
        QTest::addColumn<QColor>("hot");
        QTest::addColumn<int>("level");
        QTest::addColumn<QColor>("whenDown");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<QColor>("expected");
        const QColor hot(0x6B, 0xDD, 0xFA);
        const QColor whenDown(0x02, 0x9F, 0xFD);
        const QColor none;
        // Face #D8E4F8 (216, 228, 248), hot (107, 221, 250).
        QTest::newRow("level 0") << hot << 0 << none << false << true << false << QColor(0xD8, 0xE4, 0xF8);
        QTest::newRow("level 3 truncates") << hot << 3 << none << false << true << false << QColor(175, 225, 248);
        QTest::newRow("level 4 truncates") << hot << 4 << none << false << true << false << QColor(161, 224, 249);
        QTest::newRow("level 8") << hot << 8 << none << false << true << false << hot;
        QTest::newRow("level above 8") << hot << 12 << none << false << true << false << hot;
        QTest::newRow("level below 0") << hot << -3 << none << false << true << false << QColor(0xD8, 0xE4, 0xF8);
        QTest::newRow("hot none") << none << 8 << none << false << true << false << QColor(0xD8, 0xE4, 0xF8);
        QTest::newRow("disabled not hot") << hot << 8 << none << false << false << false << QColor(0xD8, 0xE4, 0xF8);
        QTest::newRow("down colour wins") << hot << 8 << whenDown << true << true << false << whenDown;
        QTest::newRow("down without colour") << hot << 8 << none << true << true << false << hot;
        QTest::newRow("disabled never down")
            << none << 0 << whenDown << true << false << false << QColor(0xD8, 0xE4, 0xF8);
        QTest::newRow("transparent not filled") << hot << 8 << none << false << true << true << kSentinel;
    }
    void faceColour() {
        Face face;
        face.face = QColor(0xD8, 0xE4, 0xF8);
        QFETCH(QColor, hot);
        QFETCH(int, level);
        QFETCH(QColor, whenDown);
        QFETCH(bool, down);
        QFETCH(bool, enabled);
        QFETCH(bool, transparent);
        QFETCH(QColor, expected);
        face.hot = hot;
        face.hotLevel = level;
        face.whenDown = whenDown;
        face.down = down;
        face.enabled = enabled;
        face.transparent = transparent;
        face.inside = true;
        QCOMPARE(face.Render().pixelColor(face.W / 2, face.H / 2), expected);
    }

    void captionColour_data() {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("enabled") << true;
        QTest::newRow("disabled") << false;
    }
    void captionColour() {
        QFETCH(bool, enabled);
        Face face;
        face.caption = QStringLiteral("MW");
        face.enabled = enabled;
        face.fontColor = QColor(0xC0, 0x10, 0x10);
        const QImage image = face.Render();
        QCOMPARE(Contains(image, QColor(0x80, 0x80, 0x80)), !enabled);
        QCOMPARE(Contains(image, face.fontColor), enabled);
    }

    void wideCaptionShownWhole() {
        Face face;
        face.W = 23;
        face.H = 23;
        face.caption = QStringLiteral("W");
        face.font.setPixelSize(19);
        const QImage image = face.Render();
        // The caption's own rectangle is x 4 to 18; the letter reaches beyond it but not into the frame.
        bool outside = false;
        for (int y = 1; y < 22; ++y)
            outside = outside || image.pixelColor(3, y) == Qt::black || image.pixelColor(19, y) == Qt::black;
        QVERIFY(outside);
        for (int y = 0; y < 23; ++y) {
            QCOMPARE(image.pixelColor(0, y), kLight);
            QCOMPARE(image.pixelColor(22, y), kShadow);
        }
    }

    void glyphCell_data() {
        QTest::addColumn<int>("numGlyphs");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("cell"); // -1: nothing drawn
        QTest::newRow("normal") << 2 << true << false << false << 0;
        QTest::newRow("disabled") << 2 << false << false << false << 1;
        QTest::newRow("two cells down") << 2 << true << false << true << 0;
        QTest::newRow("three cells hot") << 3 << true << true << false << 0;
        QTest::newRow("three cells down") << 3 << true << false << true << 2;
        QTest::newRow("four cells hot") << 4 << true << true << false << 3;
        QTest::newRow("four cells hot down") << 4 << true << true << true << 2;
        QTest::newRow("four cells disabled") << 4 << false << true << true << 1;
        QTest::newRow("one cell disabled") << 1 << false << false << false << -1;
    }
    void glyphCell() {
        const QList<QColor> colours{Qt::red, QColor(0, 0, 0x80), Qt::darkGreen, Qt::yellow};
        QFETCH(int, numGlyphs);
        QFETCH(bool, enabled);
        QFETCH(bool, inside);
        QFETCH(bool, down);
        QFETCH(int, cell);
        Face face;
        face.glyph = Strip(colours.mid(0, numGlyphs));
        face.numGlyphs = numGlyphs;
        face.enabled = enabled;
        face.inside = inside;
        face.down = down;
        const QImage image = face.Render();
        for (int i = 0; i < colours.size(); ++i)
            QVERIFY2(Contains(image, colours[i]) == (i == cell), qPrintable(QStringLiteral("cell %1").arg(i)));
        QVERIFY(!Contains(image, kMagenta));
    }

    void glyphTransparentColour() {
        // The transparent colour is the cell's bottom-left pixel, whatever it is.
        QImage glyph(4, 4, QImage::Format_RGB32);
        glyph.fill(Qt::green);
        glyph.setPixelColor(1, 1, kMagenta);
        glyph.setPixelColor(2, 2, Qt::red);
        QImage image(6, 6, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter canvas(&image);
        DrawGlyphCell(1, 1, 0, 4, 4, glyph, canvas);
        canvas.end();
        QCOMPARE(image.pixelColor(2, 2), kMagenta);
        QCOMPARE(image.pixelColor(3, 3), QColor(Qt::red));
        QCOMPARE(image.pixelColor(1, 1), QColor(Qt::white));
        QVERIFY(!Contains(image, Qt::green));
    }

    void glyphPlacement_data() {
        QTest::addColumn<int>("W");
        QTest::addColumn<int>("H");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("wordWrap");
        QTest::addColumn<bool>("down");
        QTest::addColumn<QPoint>("origin");
        const int left = int(TMoxAlignment::taLeftJustify);
        const int right = int(TMoxAlignment::taRightJustify);
        const int center = int(TMoxAlignment::taCenter);
        const QString text = QStringLiteral("Wij");
        // cw 16, gh 10. Beside the glyph the caption wraps to 61 − 8 − 20 = 33 pixels, above or below it
        // to 61 − 8 = 53; ce is the measured width + 4.
        const int ce = MeasureCaption(TestFont(), text, 33).width() + 4;
        const int th = MeasureCaption(TestFont(), text, 53).height();
        QTest::newRow("left, left") << 61 << 30 << int(blGlyphLeft) << left << text << false << false << QPoint(4, 10);
        QTest::newRow("left, right") << 61 << 30 << int(blGlyphLeft) << right << text << false << false
                                     << QPoint(61 - 4 - 16 - ce, 10);
        QTest::newRow("left, center") << 61 << 30 << int(blGlyphLeft) << center << text << false << false
                                      << QPoint((61 - 16) / 2 - ce / 2, 10);
        QTest::newRow("left, center, no caption")
            << 61 << 30 << int(blGlyphLeft) << center << QString() << false << false << QPoint(22, 10);
        QTest::newRow("left, right, word wrap")
            << 61 << 30 << int(blGlyphLeft) << right << text << true << false << QPoint(4, 10);
        QTest::newRow("left, center, down") << 61 << 31 << int(blGlyphLeft) << center << text << false << true
                                            << QPoint(1 + (61 - 16) / 2 - ce / 2, 11);
        QTest::newRow("right, left") << 61 << 30 << int(blGlyphRight) << left << text << false << false
                                     << QPoint(4 + ce, 10);
        QTest::newRow("right, right") << 61 << 30 << int(blGlyphRight) << right << text << false << false
                                      << QPoint(61 - 4 - 16, 10);
        QTest::newRow("right, center") << 61 << 30 << int(blGlyphRight) << center << text << false << false
                                       << QPoint((61 - 16) / 2 + ce / 2, 10);
        QTest::newRow("right, center, word wrap")
            << 61 << 30 << int(blGlyphRight) << center << text << true << false << QPoint(4 + ce, 10);
        QTest::newRow("right, right, no caption")
            << 61 << 30 << int(blGlyphRight) << right << QString() << false << false << QPoint(41, 10);
        QTest::newRow("top, left") << 61 << 40 << int(blGlyphTop) << left << text << false << false
                                   << QPoint(4, (40 - th - 14) / 2);
        QTest::newRow("top, right") << 61 << 40 << int(blGlyphTop) << right << text << false << false
                                    << QPoint(61 - 16 - 4, (40 - th - 14) / 2);
        QTest::newRow("top, center, word wrap") << 61 << 40 << int(blGlyphTop) << center << text << true << false
                                                << QPoint((61 - 16) / 2, (40 - th - 14) / 2);
        QTest::newRow("bottom, center") << 61 << 40 << int(blGlyphBottom) << center << text << false << false
                                        << QPoint((61 - 16) / 2, (40 - th - 14) / 2 + th);
        QTest::newRow("bottom, center, down") << 61 << 40 << int(blGlyphBottom) << center << text << false << true
                                              << QPoint(1 + (61 - 16) / 2, 1 + (40 - th - 14) / 2 + th);
        QTest::newRow("bottom, no caption")
            << 61 << 40 << int(blGlyphBottom) << left << QString() << false << false << QPoint(4, 13);
        // Integer division toward zero: (13 − 16) ÷ 2 = −1 and (7 − 10) ÷ 2 = −1, not −2.
        QTest::newRow("narrower than the glyph")
            << 13 << 7 << int(blGlyphLeft) << center << QString() << false << false << QPoint(-1, -1);
        QTest::newRow("narrower, top") << 13 << 12 << int(blGlyphTop) << center << QString() << false << false
                                       << QPoint(-1, -1);
    }
    void glyphPlacement() {
        QFETCH(int, W);
        QFETCH(int, H);
        QFETCH(int, layout);
        QFETCH(int, alignment);
        QFETCH(QString, caption);
        QFETCH(bool, wordWrap);
        QFETCH(bool, down);
        QFETCH(QPoint, origin);
        Face face;
        face.W = W;
        face.H = H;
        face.layout = TMoxSpeedButtonLayout(layout);
        face.alignment = TMoxAlignment(alignment);
        face.caption = caption;
        face.wordWrap = wordWrap;
        face.down = down;
        face.glyph = CoordinateGlyph();
        face.numGlyphs = 1;
        const std::optional<QPoint> found = GlyphOrigin(face.Render());
        QVERIFY(found);
        QCOMPARE(*found, origin);
    }

    void prefixes_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("accel");
        QTest::newRow("empty") << QString() << QString() << -1;
        QTest::newRow("double") << QStringLiteral("&&") << QStringLiteral("&") << -1;
        QTest::newRow("inside") << QStringLiteral("x&&y") << QStringLiteral("x&y") << -1;
        QTest::newRow("accelerator") << QStringLiteral("&Copy") << QStringLiteral("Copy") << 0;
        QTest::newRow("after double") << QStringLiteral("&&&a") << QStringLiteral("&a") << 1;
        QTest::newRow("first one marks") << QStringLiteral("a&b&c") << QStringLiteral("abc") << 1;
        QTest::newRow("trailing single") << QStringLiteral("a&") << QStringLiteral("a&") << -1;
        QTest::newRow("alone") << QStringLiteral("&") << QStringLiteral("&") << -1;
    }
    void prefixes() {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(int, accel);
        const TPrefixedText processed = ProcessPrefixes(caption);
        QCOMPARE(processed.text, text);
        QCOMPARE(processed.accelPos, accel);
        QCOMPARE(CaptionAccelerator(caption), accel < 0 ? QChar() : text.at(accel));
    }

    void ampersandDrawnOnce() {
        Face face;
        face.caption = QStringLiteral("&&");
        const QImage doubled = face.Render();
        QVERIFY(Contains(doubled, Qt::black));
        face.caption = QStringLiteral("&");
        QCOMPARE(doubled, face.Render());
        face.caption = QStringLiteral("&&&&");
        QVERIFY(doubled != face.Render());
    }

    void acceleratorUnderlined() {
        Face face;
        face.H = 30;
        face.caption = QStringLiteral("a");
        const QImage plain = face.Render();
        face.caption = QStringLiteral("&a");
        const QImage marked = face.Render();
        QVERIFY(plain != marked);
        // The underline only adds ink: everything of the plain caption is still there.
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (plain.pixelColor(x, y) == Qt::black)
                    QCOMPARE(marked.pixelColor(x, y), QColor(Qt::black));
    }

    void measure_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("widerThanWidth");
        const int wordWidth = MeasureCaption(TestFont(), QStringLiteral("abc"), 1000).width();
        QTest::newRow("one line") << QStringLiteral("abc abc") << 1000 << 1 << false;
        QTest::newRow("wraps at the blank") << QStringLiteral("abc abc") << wordWidth << 2 << false;
        QTest::newRow("long word stays whole") << QStringLiteral("abcabcabc") << wordWidth << 1 << true;
        QTest::newRow("zero width") << QStringLiteral("abc abc") << 0 << 2 << true;
        QTest::newRow("line break") << QStringLiteral("ab\r\ncd") << 1000 << 2 << false;
        QTest::newRow("empty") << QString() << 1000 << 0 << false;
    }
    void measure() {
        QFETCH(QString, caption);
        QFETCH(int, width);
        QFETCH(int, lines);
        QFETCH(bool, widerThanWidth);
        const QSize size = MeasureCaption(TestFont(), caption, width);
        QCOMPARE(size.height(), lines * QFontMetrics(TestFont()).height());
        QCOMPARE(size.width() > width, widerThanWidth);
        if (lines == 0)
            QCOMPARE(size.width(), 0);
    }

    void keyGlyphs_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"MoveTop", "FastLeft", "FastRight", "MoveLast", "Copy", "Paste"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void keyGlyphs() {
        QFETCH(QString, name);
        const QImage strip = KeyGlyph(name.toLatin1().constData()).toImage();
        QCOMPARE(strip.size(), QSize(32, 16));
        for (int cell = 0; cell < 2; ++cell) {
            QCOMPARE(strip.pixelColor(cell * 16, 15), kMagenta);
            int drawn = 0;
            bool coloured = false;
            for (int y = 0; y < 16; ++y)
                for (int x = cell * 16; x < cell * 16 + 16; ++x) {
                    const QColor c = strip.pixelColor(x, y);
                    if (c == kMagenta)
                        continue;
                    ++drawn;
                    coloured = coloured || c.red() != c.green() || c.green() != c.blue();
                }
            QVERIFY(drawn > 20);
            QCOMPARE(coloured, cell == 0); // the disabled cell is grey only
        }
    }

    void unknownKeyGlyph() { QVERIFY(KeyGlyph("NoSuchGlyph").isNull()); }
};

QTEST_MAIN(TestMoxSBUtils)
#include "tst_moxsbutils.moc"
