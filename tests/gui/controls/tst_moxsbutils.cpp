#include "gui/controls/KeyGlyphs.h"
#include "gui/controls/MoxSBUtils.h"

#include <QPainter>
#include <QTest>

namespace {

const QColor kSentinel(0x12, 0x34, 0x56);
const QColor kShadow(0x00, 0x00, 0xFF);
const QColor kLight(0x00, 0xFF, 0x00);
const QColor kFace(0xFF, 0xFF, 0xFF);
const QColor kMagenta(0xFF, 0x00, 0xFF);
const QColor kKeyFace(0xD8, 0xE4, 0xF8);

QFont TestFont() {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(14);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias); // exact colours, no blending at the edges
    return font;
}

// A face with the defaults these tests share, painted onto the sentinel colour.
struct Face : TButtonFace {
    // state: blank-separated words among flat, disabled, inside, down, transparent, wrap.
    explicit Face(const QString& state = {}) {
        W = 40;
        H = 20;
        font = TestFont();
        fontColor = Qt::black;
        shadowColor = kShadow;
        lightColor = kLight;
        faceColor = kFace;
        const QStringList words = state.split(u' ', Qt::SkipEmptyParts);
        flat = words.contains(u"flat");
        enabled = !words.contains(u"disabled");
        mouseInside = words.contains(u"inside");
        down = words.contains(u"down");
        transparent = words.contains(u"transparent");
        wordWrap = words.contains(u"wrap");
    }

    QImage Render() const {
        QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
        image.fill(kSentinel);
        QPainter canvas(&image);
        DrawButtonFace(canvas, *this);
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

// Cells of their own colour each, the bottom row in the transparent colour.
QImage Strip(const QList<QColor>& cells) {
    QImage strip(8 * int(cells.size()), 8, QImage::Format_RGB32);
    strip.fill(kMagenta);
    QPainter painter(&strip);
    for (int i = 0; i < cells.size(); ++i)
        painter.fillRect(i * 8, 0, 8, 7, cells[i]);
    return strip;
}

// A 16 × 10 glyph whose pixel (c, r) is (10 + 10c, 20 + 10r, 50), bottom row transparent: any visible pixel
// tells where the glyph's origin is, even when part of it lies outside the face.
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
            const QColor c = image.pixelColor(x, y);
            if (c.blue() == 50 && c.red() % 10 == 0 && c.green() % 10 == 0)
                return QPoint(x - (c.red() - 10) / 10, y - (c.green() - 20) / 10);
        }
    return std::nullopt;
}

} // namespace

class TestMoxSBUtils : public QObject {
    Q_OBJECT
private slots:
    void frame_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QColor>("first"); // left and top edges, bottom-left corner; face colour: no frame
        QTest::addColumn<QColor>("second");
        QTest::newRow("up") << "" << QSize(40, 20) << kLight << kShadow;
        QTest::newRow("up hot") << "inside" << QSize(40, 20) << kLight << kShadow;
        QTest::newRow("down") << "down" << QSize(40, 20) << kShadow << kLight;
        QTest::newRow("flat not hot") << "flat" << QSize(40, 20) << kFace << kFace;
        QTest::newRow("flat hot") << "flat inside" << QSize(40, 20) << kLight << kShadow;
        QTest::newRow("flat down") << "flat down" << QSize(40, 20) << kShadow << kLight;
        QTest::newRow("disabled flat") << "disabled flat inside down" << QSize(40, 20) << kFace << kFace;
        QTest::newRow("disabled drawn up") << "disabled inside down" << QSize(40, 20) << kLight << kShadow;
        QTest::newRow("2 x 2") << "" << QSize(2, 2) << kLight << kShadow;
        QTest::newRow("2 x 2 down") << "down" << QSize(2, 2) << kShadow << kLight;
    }
    void frame() {
        QFETCH(QString, state);
        QFETCH(QSize, size);
        QFETCH(QColor, first);
        QFETCH(QColor, second);
        Face face(state);
        face.W = size.width();
        face.H = size.height();
        const QImage image = face.Render();
        const int r = face.W - 1;
        const int b = face.H - 1;
        QCOMPARE(image.pixelColor(0, 0), first);
        QCOMPARE(image.pixelColor(0, b), first);  // bottom-left corner: first colour
        QCOMPARE(image.pixelColor(r, 0), second); // top-right corner: second colour
        QCOMPARE(image.pixelColor(r, b), second);
        if (face.W > 2) {
            QCOMPARE(image.pixelColor(r / 2, 0), first);
            QCOMPARE(image.pixelColor(0, b / 2), first);
            QCOMPARE(image.pixelColor(r / 2, b), second);
            QCOMPARE(image.pixelColor(r, b / 2), second);
            QCOMPARE(image.pixelColor(1, 1), kFace); // one pixel wide
        }
    }

    void faceColour_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QColor>("hot");
        QTest::addColumn<int>("level");
        QTest::addColumn<QColor>("whenDown");
        QTest::addColumn<QColor>("expected");
        const QColor hot(0x6B, 0xDD, 0xFA);
        const QColor whenDown(0x02, 0x9F, 0xFD);
        const QColor none;
        // Face (216, 228, 248), hot (107, 221, 250); rounding instead of truncating would differ.
        QTest::newRow("level 0") << "inside" << hot << 0 << none << kKeyFace;
        QTest::newRow("level 3") << "inside" << hot << 3 << none << QColor(175, 225, 248);
        QTest::newRow("level 4") << "inside" << hot << 4 << none << QColor(161, 224, 249);
        QTest::newRow("level 8") << "inside" << hot << 8 << none << hot;
        QTest::newRow("level 12 as 8") << "inside" << hot << 12 << none << hot;
        QTest::newRow("level -3 as 0") << "inside" << hot << -3 << none << kKeyFace;
        QTest::newRow("hot none") << "inside" << none << 8 << none << kKeyFace;
        QTest::newRow("disabled not hot") << "disabled inside" << hot << 8 << none << kKeyFace;
        QTest::newRow("down colour wins") << "inside down" << hot << 8 << whenDown << whenDown;
        QTest::newRow("down, colour none") << "inside down" << hot << 8 << none << hot;
        QTest::newRow("disabled not down") << "disabled down" << none << 0 << whenDown << kKeyFace;
        QTest::newRow("transparent") << "transparent inside" << hot << 8 << none << kSentinel;
    }
    void faceColour() {
        QFETCH(QString, state);
        Face face(state);
        face.faceColor = kKeyFace;
        QFETCH(QColor, hot);
        QFETCH(int, level);
        QFETCH(QColor, whenDown);
        QFETCH(QColor, expected);
        face.hotTrackColor = hot;
        face.hotLevel = level;
        face.colorWhenDown = whenDown;
        QCOMPARE(face.Render().pixelColor(face.W / 2, face.H / 2), expected);
    }

    void captionColour_data() {
        QTest::addColumn<QString>("state");
        QTest::newRow("enabled") << "";
        QTest::newRow("disabled") << "disabled";
    }
    void captionColour() {
        QFETCH(QString, state);
        Face face(state);
        face.caption = QStringLiteral("MW");
        face.fontColor = QColor(0xC0, 0x10, 0x10);
        const QImage image = face.Render();
        QCOMPARE(Contains(image, QColor(0x80, 0x80, 0x80)), !face.enabled);
        QCOMPARE(Contains(image, face.fontColor), face.enabled);
    }

    void wideCaptionShownWhole() {
        Face face;
        face.W = 23;
        face.H = 23;
        face.caption = QStringLiteral("W");
        face.font.setPixelSize(19);
        const QImage image = face.Render();
        // The caption's own rectangle spans x 4 to 18; the letter reaches beyond it but not into the frame.
        bool outside = false;
        for (int y = 1; y < 22; ++y) {
            outside = outside || image.pixelColor(3, y) == Qt::black || image.pixelColor(19, y) == Qt::black;
            QCOMPARE(image.pixelColor(0, y), kLight);
            QCOMPARE(image.pixelColor(22, y), kShadow);
        }
        QVERIFY(outside);
    }

    void glyphCell_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("numGlyphs");
        QTest::addColumn<int>("cell"); // -1: nothing drawn
        QTest::newRow("normal") << "" << 2 << 0;
        QTest::newRow("disabled") << "disabled" << 2 << 1;
        QTest::newRow("two cells down") << "down" << 2 << 0;
        QTest::newRow("three cells hot") << "inside" << 3 << 0;
        QTest::newRow("three cells down") << "down" << 3 << 2;
        QTest::newRow("four cells hot") << "inside" << 4 << 3;
        QTest::newRow("four cells hot down") << "inside down" << 4 << 2;
        QTest::newRow("four cells disabled") << "disabled inside down" << 4 << 1;
        QTest::newRow("one cell disabled") << "disabled" << 1 << -1;
    }
    void glyphCell() {
        const QList<QColor> colours{Qt::red, QColor(0, 0, 0x80), Qt::darkGreen, Qt::yellow};
        QFETCH(QString, state);
        QFETCH(int, numGlyphs);
        QFETCH(int, cell);
        Face face(state);
        face.glyph = Strip(colours.mid(0, numGlyphs));
        face.numGlyphs = numGlyphs;
        const QImage image = face.Render();
        for (int i = 0; i < colours.size(); ++i)
            QVERIFY2(Contains(image, colours[i]) == (i == cell), qPrintable(QStringLiteral("cell %1").arg(i)));
        QVERIFY(!Contains(image, kMagenta));
    }

    void glyphTransparentColour() {
        QImage glyph(4, 4, QImage::Format_RGB32); // bottom-left pixel green: green is transparent, not magenta
        glyph.fill(Qt::green);
        glyph.setPixelColor(1, 1, kMagenta);
        QImage image(6, 6, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter canvas(&image);
        DrawGlyphCell(1, 1, 0, 4, 4, glyph, canvas);
        canvas.end();
        QCOMPARE(image.pixelColor(2, 2), kMagenta);
        QVERIFY(!Contains(image, Qt::green));
    }

    void glyphPlacement_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QPoint>("origin");
        const int L = int(TMoxAlignment::taLeftJustify), R = int(TMoxAlignment::taRightJustify);
        const int C = int(TMoxAlignment::taCenter);
        const QString t = QStringLiteral("Wij");
        const QString none;
        // cw 16, gh 10. Beside the glyph the caption wraps to 61 − 8 − 20 = 33 pixels, above or below to 53.
        const int ce = MeasureCaption(TestFont(), t, 33).width() + 4;
        const int th = MeasureCaption(TestFont(), t, 53).height();
        const QSize s(61, 30), tall(61, 40);
        QTest::newRow("left, left") << "" << s << int(blGlyphLeft) << L << t << QPoint(4, 10);
        QTest::newRow("left, right") << "" << s << int(blGlyphLeft) << R << t << QPoint(61 - 4 - 16 - ce, 10);
        QTest::newRow("left, center") << "" << s << int(blGlyphLeft) << C << t << QPoint(45 / 2 - ce / 2, 10);
        QTest::newRow("left, center, empty") << "" << s << int(blGlyphLeft) << C << none << QPoint(22, 10);
        QTest::newRow("left, right, wrap") << "wrap" << s << int(blGlyphLeft) << R << t << QPoint(4, 10);
        QTest::newRow("left, center, down")
            << "down" << QSize(61, 31) << int(blGlyphLeft) << C << t << QPoint(1 + 45 / 2 - ce / 2, 11);
        QTest::newRow("right, left") << "" << s << int(blGlyphRight) << L << t << QPoint(4 + ce, 10);
        QTest::newRow("right, right") << "" << s << int(blGlyphRight) << R << t << QPoint(41, 10);
        QTest::newRow("right, center") << "" << s << int(blGlyphRight) << C << t << QPoint(45 / 2 + ce / 2, 10);
        QTest::newRow("right, center, wrap") << "wrap" << s << int(blGlyphRight) << C << t << QPoint(4 + ce, 10);
        QTest::newRow("top, left") << "" << tall << int(blGlyphTop) << L << t << QPoint(4, (40 - th - 14) / 2);
        QTest::newRow("top, right") << "" << tall << int(blGlyphTop) << R << t << QPoint(41, (40 - th - 14) / 2);
        QTest::newRow("top, center, wrap")
            << "wrap" << tall << int(blGlyphTop) << C << t << QPoint(45 / 2, (40 - th - 14) / 2);
        QTest::newRow("bottom, center") << "" << tall << int(blGlyphBottom) << C << t
                                        << QPoint(45 / 2, (40 - th - 14) / 2 + th);
        QTest::newRow("bottom, center, down")
            << "down" << tall << int(blGlyphBottom) << C << t << QPoint(1 + 45 / 2, 1 + (40 - th - 14) / 2 + th);
        QTest::newRow("bottom, empty") << "" << tall << int(blGlyphBottom) << L << none << QPoint(4, 13);
        // Toward zero: (13 − 16) ÷ 2 = −1 and (7 − 10) ÷ 2 = −1, where flooring would give −2.
        QTest::newRow("narrower") << "" << QSize(13, 7) << int(blGlyphLeft) << C << none << QPoint(-1, -1);
        QTest::newRow("narrower, top") << "" << QSize(13, 12) << int(blGlyphTop) << C << none << QPoint(-1, -1);
    }
    void glyphPlacement() {
        QFETCH(QString, state);
        QFETCH(QSize, size);
        QFETCH(int, layout);
        QFETCH(int, alignment);
        QFETCH(QString, caption);
        QFETCH(QPoint, origin);
        Face face(state);
        face.W = size.width();
        face.H = size.height();
        face.layout = TMoxSpeedButtonLayout(layout);
        face.alignment = TMoxAlignment(alignment);
        face.caption = caption;
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
        QTest::newRow("double") << "&&"
                                << "&" << -1;
        QTest::newRow("inside") << "x&&y"
                                << "x&y" << -1;
        QTest::newRow("after double") << "&&&a"
                                      << "&a" << 1;
        QTest::newRow("first one marks") << "a&b&c"
                                         << "abc" << 1;
        QTest::newRow("trailing single") << "a&"
                                         << "a&" << -1;
    }
    void prefixes() {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(int, accel);
        QCOMPARE(ProcessPrefixes(caption).text, text);
        QCOMPARE(ProcessPrefixes(caption).accelPos, accel);
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
        for (int y = 0; y < plain.height(); ++y) // the underline only adds ink
            for (int x = 0; x < plain.width(); ++x)
                if (plain.pixelColor(x, y) == Qt::black)
                    QCOMPARE(marked.pixelColor(x, y), QColor(Qt::black));
    }

    void measure_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("wider");
        const int word = MeasureCaption(TestFont(), QStringLiteral("abc"), 1000).width();
        QTest::newRow("wraps at the blank") << "abc abc" << word << 2 << false;
        QTest::newRow("long word stays whole") << "abcabcabc" << word << 1 << true;
        QTest::newRow("line break") << "ab\r\ncd" << 1000 << 2 << false;
        QTest::newRow("empty") << "" << 1000 << 0 << false;
    }
    void measure() {
        QFETCH(QString, caption);
        QFETCH(int, width);
        QFETCH(int, lines);
        QFETCH(bool, wider);
        const QSize size = MeasureCaption(TestFont(), caption, width);
        QCOMPARE(size.height(), lines * QFontMetrics(TestFont()).height());
        QCOMPARE(size.width() > width, wider);
        QVERIFY(size.width() >= 0);
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
                for (int x = cell * 16; x < cell * 16 + 16; ++x)
                    if (const QColor c = strip.pixelColor(x, y); c != kMagenta) {
                        ++drawn;
                        coloured = coloured || c.red() != c.green() || c.green() != c.blue();
                    }
            QVERIFY(drawn > 20);
            QCOMPARE(coloured, cell == 0); // the disabled cell is grey only
        }
    }
};

QTEST_MAIN(TestMoxSBUtils)
#include "tst_moxsbutils.moc"
