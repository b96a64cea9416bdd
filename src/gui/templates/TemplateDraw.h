#pragma once

#include <QByteArray>

class QColor;
class QFontMetrics;
class QPainter;
class QRect;

// Width in pixels of the whole text, every byte of it ("&" included), in the font of metrics.
int GetTextWidth(const QFontMetrics& metrics, const QByteArray& text);

// Draws a template text split at its caret marker, in the painter's font: the first piece at x, a red "|",
// then the second piece, each into the part of itemRect from its x to the right edge, vertically centred,
// on one line. An "&" is not drawn and underlines the character after it; "&&" draws one "&".
// firstTakeBack and barTakeBack are the pixels taken off x after the first piece and after the "|".
void DrawMarkedText(QPainter& painter, const QRect& itemRect, int x, const QByteArray& text, const QColor& textColor,
                    int firstTakeBack, int barTakeBack);
