#include "gui/controls/MoxSBUtils.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

TPrefixedText ProcessPrefixes(const QString& caption) {
    TPrefixedText result;
    result.text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c != u'&' || i + 1 == caption.size()) {
            result.text.append(c);
            continue;
        }
        ++i; // the prefix itself is never drawn
        if (caption.at(i) == u'&') {
            result.text.append(u'&');
            continue;
        }
        if (result.accelPos < 0)
            result.accelPos = int(result.text.size());
        result.text.append(caption.at(i));
    }
    return result;
}

QChar CaptionAccelerator(const QString& caption) {
    const TPrefixedText processed = ProcessPrefixes(caption);
    return processed.accelPos < 0 ? QChar() : processed.text.at(processed.accelPos);
}

namespace {

// One word-wrapped caption, laid out once and used both to measure and to draw, so the two always agree.
class TCaptionLayout {
public:
    TCaptionLayout(const QFont& font, const QString& caption, int width, Qt::Alignment alignment,
                   const QPaintDevice* device) {
        if (caption.isEmpty())
            return;
        QString source = caption;
        source.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        TPrefixedText processed = ProcessPrefixes(source);
        // QTextLayout breaks lines only at the Unicode line separator.
        for (QChar& c : processed.text)
            if (c == u'\n' || c == u'\r')
                c = QChar::LineSeparator;

        QPaintDevice* layoutDevice = const_cast<QPaintDevice*>(device);
        FLayout.emplace(processed.text, font, layoutDevice);
        QTextOption option(alignment);
        option.setWrapMode(QTextOption::WordWrap);
        FLayout->setTextOption(option);
        if (processed.accelPos >= 0) {
            QTextLayout::FormatRange range;
            range.start = processed.accelPos;
            range.length = processed.text.at(processed.accelPos).isHighSurrogate() ? 2 : 1;
            range.format.setFontUnderline(true);
            FLayout->setFormats({range});
        }

        // Every line gets the font's full height, so a caption of n lines is n times as high as one line.
        const int lineHeight = layoutDevice ? QFontMetrics(font, layoutDevice).height() : QFontMetrics(font).height();
        int widest = 0;
        int y = 0;
        FLayout->beginLayout();
        for (QTextLine line = FLayout->createLine(); line.isValid(); line = FLayout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += lineHeight;
            widest = std::max(widest, int(std::ceil(line.naturalTextWidth())));
        }
        FLayout->endLayout();
        FSize = QSize(widest, y);
    }

    QSize Size() const { return FSize; }

    // Lines are aligned within the layout width given at construction, starting at topLeft; nothing is drawn
    // outside clip.
    void Draw(QPainter& canvas, QPoint topLeft, const QRect& clip, const QColor& color) const {
        if (!FLayout || clip.isEmpty())
            return;
        canvas.save();
        canvas.setClipRect(clip, Qt::IntersectClip);
        canvas.setPen(color);
        FLayout->draw(&canvas, topLeft);
        canvas.restore();
    }

private:
    std::optional<QTextLayout> FLayout;
    QSize FSize{0, 0};
};

Qt::Alignment HorizontalAlignment(TMoxAlignment alignment) {
    switch (alignment) {
    case TMoxAlignment::taLeftJustify:
        return Qt::AlignLeft;
    case TMoxAlignment::taRightJustify:
        return Qt::AlignRight;
    case TMoxAlignment::taCenter:
        break;
    }
    return Qt::AlignHCenter;
}

// The pixels of an axis-parallel line from `from` up to, but not including, `to`.
void DrawSegment(QPainter& canvas, const QColor& color, QPoint from, QPoint to) {
    if (!color.isValid() || from == to)
        return;
    if (from.x() == to.x()) {
        const int top = from.y() < to.y() ? from.y() : to.y() + 1;
        canvas.fillRect(from.x(), top, 1, std::abs(to.y() - from.y()), color);
    } else {
        const int left = from.x() < to.x() ? from.x() : to.x() + 1;
        canvas.fillRect(left, from.y(), std::abs(to.x() - from.x()), 1, color);
    }
}

} // namespace

QSize MeasureCaption(const QFont& font, const QString& caption, int width, const QPaintDevice* device) {
    return TCaptionLayout(font, caption, width, Qt::AlignLeft, device).Size();
}

QColor BlendHotColor(const QColor& face, const QColor& hot, int level) {
    if (!face.isValid() || !hot.isValid())
        return face;
    level = std::clamp(level, 0, 8);
    const QColor f = face.toRgb();
    const QColor h = hot.toRgb();
    // Integer arithmetic gives exactly the truncated real value, since every term is non-negative.
    const auto mix = [level](int a, int b) { return (a * (8 - level) + b * level) / 8; };
    return QColor(mix(f.red(), h.red()), mix(f.green(), h.green()), mix(f.blue(), h.blue()));
}

void DrawGlyphCell(int x, int y, int sourceX, int cellHeight, int cellWidth, const QImage& glyph, QPainter& canvas) {
    if (cellWidth <= 0 || cellHeight <= 0 || glyph.isNull())
        return;
    // Converting first makes the part of the cell outside the glyph fully transparent.
    QImage cell = glyph.convertToFormat(QImage::Format_ARGB32_Premultiplied).copy(sourceX, 0, cellWidth, cellHeight);
    const QRgb key = cell.pixel(0, cellHeight - 1);
    for (int row = 0; row < cellHeight; ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(cell.scanLine(row));
        std::replace(pixels, pixels + cellWidth, key, QRgb(0));
    }
    canvas.drawImage(x, y, cell);
}

namespace {

// Where the caption and the glyph cell go on a face.
struct TFacePlacement {
    int textLeft = 0;
    int textTop = 0;
    int glyphX = 0;
    int glyphTop = 0;
};

void FillFace(QPainter& canvas, const TButtonFace& f, bool down) {
    QColor face = f.faceColor.toRgb();
    if (f.enabled && f.hotTrackColor.isValid())
        face = BlendHotColor(face, f.hotTrackColor, f.hotLevel);
    if (down && f.colorWhenDown.isValid())
        face = f.colorWhenDown.toRgb();
    if (!f.transparent && face.isValid())
        canvas.fillRect(0, 0, f.W, f.H, face);
}

void DrawFrame(QPainter& canvas, const TButtonFace& f, bool down) {
    const bool framed = f.enabled ? (!f.flat || f.mouseInside || down) : !f.flat;
    if (!framed)
        return;
    const int W = f.W;
    const int H = f.H;
    const QColor& first = down ? f.shadowColor : f.lightColor;
    const QColor& second = down ? f.lightColor : f.shadowColor;
    DrawSegment(canvas, first, {0, H - 1}, {0, 0});
    DrawSegment(canvas, first, {0, 0}, {W - 1, 0});
    DrawSegment(canvas, second, {W - 1, 0}, {W - 1, H - 1});
    DrawSegment(canvas, second, {W - 1, H - 1}, {0, H - 1});
}

// The left edge of the glyph cell to show: disabled, down and hot each have a cell of their own when the
// glyph has that many.
int GlyphSourceX(const TButtonFace& f, bool down, int cellWidth) {
    if (!f.enabled)
        return cellWidth;
    int sourceX = 0;
    if (f.mouseInside && f.numGlyphs > 3)
        sourceX = 3 * cellWidth;
    if (down && f.numGlyphs > 2)
        sourceX = 2 * cellWidth;
    return sourceX;
}

// Glyph beside the caption (blGlyphLeft, blGlyphRight).
TFacePlacement PlaceSideBySide(const TButtonFace& f, QSize text, int off, int cw, int gh) {
    const int W = f.W;
    TFacePlacement p{off + 4, (f.H - text.height()) / 2 + off, off + 4, (f.H - gh) / 2 + off};
    const int ce = f.caption.isEmpty() ? 0 : text.width() + 4;
    const bool right = !f.wordWrap && f.alignment == TMoxAlignment::taRightJustify;
    const bool centre = !f.wordWrap && f.alignment == TMoxAlignment::taCenter;
    if (f.layout == blGlyphLeft) {
        if (cw > 0)
            p.textLeft += cw + 4;
        if (right)
            p.glyphX = off + W - 4 - cw - ce;
        else if (centre)
            p.glyphX = off + (W - cw) / 2 - ce / 2;
    } else {
        p.glyphX = off + 4 + ce;
        if (right)
            p.glyphX = off + W - 4 - cw;
        else if (centre)
            p.glyphX = off + (W - cw) / 2 + ce / 2;
    }
    return p;
}

// Glyph above or below the caption (blGlyphTop, blGlyphBottom).
TFacePlacement PlaceStacked(const TButtonFace& f, QSize text, int off, int cw, int gh) {
    const int th = text.height();
    const int total = th + (gh > 0 ? gh + 4 : 0);
    TFacePlacement p{off + 4, 0, off + 4, 0};
    if (f.layout == blGlyphTop) {
        p.glyphTop = (f.H - total) / 2 + off;
        p.textTop = (f.H - total) / 2 + gh + off;
    } else {
        p.textTop = (f.H - total) / 2 + off;
        p.glyphTop = (f.H - total) / 2 + th + off;
    }
    if (f.alignment == TMoxAlignment::taRightJustify)
        p.glyphX = off + f.W - cw - 4;
    else if (f.alignment == TMoxAlignment::taCenter)
        p.glyphX = off + (f.W - cw) / 2;
    return p;
}

} // namespace

void DrawButtonFace(QPainter& canvas, const TButtonFace& f) {
    if (!canvas.isActive() || f.W <= 0 || f.H <= 0)
        return;
    const bool down = f.enabled && f.down;
    const int off = down ? 1 : 0;
    FillFace(canvas, f, down);
    DrawFrame(canvas, f, down);

    canvas.setFont(f.font);
    const int gh = f.glyph.isNull() ? 0 : f.glyph.height();
    const int cw = f.numGlyphs > 0 && !f.glyph.isNull() ? f.glyph.width() / f.numGlyphs : 0;
    const bool sideBySide = f.layout == blGlyphLeft || f.layout == blGlyphRight;
    const int tw = std::max(f.W - 8 - (sideBySide && cw > 0 ? cw + 4 : 0), 0);
    const TCaptionLayout text(f.font, f.caption, tw, HorizontalAlignment(f.alignment), canvas.device());
    const TFacePlacement p =
        sideBySide ? PlaceSideBySide(f, text.Size(), off, cw, gh) : PlaceStacked(f, text.Size(), off, cw, gh);

    const QColor textColor =
        f.enabled ? (f.fontColor.isValid() ? f.fontColor : QColor(Qt::black)) : QColor(0x80, 0x80, 0x80);
    // The caption is clipped to the inside of the frame rather than to its own rectangle: a wide letter
    // (a bold "W" is wider than the 15 pixels a 23-pixel key leaves it) is then shown whole.
    text.Draw(canvas, QPoint(p.textLeft, p.textTop), QRect(1, 1, f.W - 2, f.H - 2), textColor);
    DrawGlyphCell(p.glyphX, p.glyphTop, GlyphSourceX(f, down, cw), gh, cw, f.glyph, canvas);
}
