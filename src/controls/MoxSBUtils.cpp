#include "controls/MoxSBUtils.h"

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

void DrawButtonFace(QPainter& canvas, int W, int H, TMoxAlignment alignment, const QString& caption,
                    TMoxSpeedButtonLayout layout, const QFont& font, const QColor& fontColor, const QColor& shadowColor,
                    const QColor& lightColor, const QColor& hotTrackColor, const QColor& colorWhenDown,
                    const QColor& faceColor, bool wordWrap, bool flat, bool enabled, bool transparent, bool mouseInside,
                    bool down, const QImage& glyph, int numGlyphs, int hotLevel) {
    if (!canvas.isActive() || W <= 0 || H <= 0)
        return;
    if (!enabled)
        down = false;
    const int off = down ? 1 : 0;

    QColor face = faceColor.toRgb();
    if (enabled && hotTrackColor.isValid())
        face = BlendHotColor(face, hotTrackColor, hotLevel);
    if (down && colorWhenDown.isValid())
        face = colorWhenDown.toRgb();
    if (!transparent && face.isValid())
        canvas.fillRect(0, 0, W, H, face);

    const bool framed = enabled ? (!flat || mouseInside || down) : !flat;
    if (framed) {
        const QColor& first = down ? shadowColor : lightColor;
        const QColor& second = down ? lightColor : shadowColor;
        DrawSegment(canvas, first, {0, H - 1}, {0, 0});
        DrawSegment(canvas, first, {0, 0}, {W - 1, 0});
        DrawSegment(canvas, second, {W - 1, 0}, {W - 1, H - 1});
        DrawSegment(canvas, second, {W - 1, H - 1}, {0, H - 1});
    }

    canvas.setFont(font);
    const int gh = glyph.isNull() ? 0 : glyph.height();
    const int cw = numGlyphs > 0 && !glyph.isNull() ? glyph.width() / numGlyphs : 0;
    int sourceX = 0;
    if (!enabled) {
        sourceX = cw;
    } else {
        if (mouseInside && numGlyphs > 3)
            sourceX = 3 * cw;
        if (down && numGlyphs > 2)
            sourceX = 2 * cw;
    }

    const Qt::Alignment textAlignment = HorizontalAlignment(alignment);
    int tw = 0;
    int textLeft = off + 4;
    int textTop = 0;
    int glyphX = off + 4;
    int glyphTop = 0;
    std::optional<TCaptionLayout> text;
    if (layout == blGlyphLeft || layout == blGlyphRight) {
        tw = W - 8;
        if (cw > 0)
            tw -= cw + 4;
        tw = std::max(tw, 0);
        text.emplace(font, caption, tw, textAlignment, canvas.device());
        const int mw = text->Size().width();
        const int th = text->Size().height();
        textTop = (H - th) / 2 + off;
        glyphTop = (H - gh) / 2 + off;
        const int ce = caption.isEmpty() ? 0 : mw + 4;
        if (layout == blGlyphLeft) {
            if (cw > 0)
                textLeft += cw + 4;
            if (!wordWrap && alignment == TMoxAlignment::taRightJustify)
                glyphX = off + W - 4 - cw - ce;
            else if (!wordWrap && alignment == TMoxAlignment::taCenter)
                glyphX = off + (W - cw) / 2 - ce / 2;
        } else {
            glyphX = off + 4 + ce;
            if (!wordWrap && alignment == TMoxAlignment::taRightJustify)
                glyphX = off + W - 4 - cw;
            else if (!wordWrap && alignment == TMoxAlignment::taCenter)
                glyphX = off + (W - cw) / 2 + ce / 2;
        }
    } else {
        tw = std::max(W - 8, 0);
        text.emplace(font, caption, tw, textAlignment, canvas.device());
        const int th = text->Size().height();
        const int total = th + (gh > 0 ? gh + 4 : 0);
        if (layout == blGlyphTop) {
            glyphTop = (H - total) / 2 + off;
            textTop = (H - total) / 2 + gh + off;
        } else {
            textTop = (H - total) / 2 + off;
            glyphTop = (H - total) / 2 + th + off;
        }
        if (alignment == TMoxAlignment::taRightJustify)
            glyphX = off + W - cw - 4;
        else if (alignment == TMoxAlignment::taCenter)
            glyphX = off + (W - cw) / 2;
    }

    const QColor textColor = enabled ? (fontColor.isValid() ? fontColor : QColor(Qt::black)) : QColor(0x80, 0x80, 0x80);
    // The caption is clipped to the inside of the frame rather than to its own rectangle: a wide letter
    // (a bold "W" is wider than the 15 pixels a 23-pixel key leaves it) is then shown whole.
    text->Draw(canvas, QPoint(textLeft, textTop), QRect(1, 1, W - 2, H - 2), textColor);
    DrawGlyphCell(glyphX, glyphTop, sourceX, gh, cw, glyph, canvas);
}
