#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

enum TMoxSpeedButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TMoxAlignment { taLeftJustify, taRightJustify, taCenter };

// A caption with its "&" prefixes resolved: "&&" becomes one "&", the first "&x" marks x as the
// accelerator (underlined when drawn). A single "&" at the very end has nothing to mark and stays text.
struct TPrefixedText {
    QString text;
    int accelPos = -1; // index into text, -1 when there is no accelerator
};
TPrefixedText ProcessPrefixes(const QString& caption);

// The accelerator character of a caption ("&x" gives x), or a null QChar when it has none.
QChar CaptionAccelerator(const QString& caption);

// Size of the caption word-wrapped to width (prefixes processed): the widest line and the height of all
// lines. An empty caption measures 0 × 0. A word wider than width stays whole and makes the width larger.
QSize MeasureCaption(const QFont& font, const QString& caption, int width, const QPaintDevice* device = nullptr);

// face × (1 − level / 8) + hot × level / 8 for each of red, green and blue, truncated; level is clamped
// to 0..8.
QColor BlendHotColor(const QColor& face, const QColor& hot, int level);

// Draws the cell (sourceX, 0, cellWidth, cellHeight) of glyph at (x, y); pixels of the cell's bottom-left
// colour are left out. Parts of the cell outside the glyph draw nothing.
void DrawGlyphCell(int x, int y, int sourceX, int cellHeight, int cellWidth, const QImage& glyph, QPainter& canvas);

// Everything a key face is painted from. An invalid colour is "none".
struct TButtonFace {
    int W = 0;
    int H = 0;
    TMoxAlignment alignment = TMoxAlignment::taCenter;
    QString caption;
    TMoxSpeedButtonLayout layout = blGlyphLeft;
    QFont font;
    QColor fontColor; // the caption colour of font (QFont carries none)
    QColor shadowColor;
    QColor lightColor;
    QColor hotTrackColor;
    QColor colorWhenDown;
    QColor faceColor;
    bool wordWrap = false;
    bool flat = false;
    bool enabled = true;
    bool transparent = false;
    bool mouseInside = false;
    bool down = false;
    QImage glyph;
    int numGlyphs = 0; // equal cells side by side in glyph (0 draws no glyph)
    int hotLevel = 0;
};

// Paints a whole key face (fill, frame, caption, glyph cell) into (0, 0, W, H) of the canvas.
void DrawButtonFace(QPainter& canvas, const TButtonFace& face);
