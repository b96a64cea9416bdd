#include "gui/templates/TemplateDraw.h"

#include "core/templates/TemplateList.h"
#include "core/text/ShiftJis.h"
#include "gui/controls/Looks.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>

int GetTextWidth(const QFontMetrics& metrics, const QByteArray& text) {
    return metrics.horizontalAdvance(sjis::toUnicode(text));
}

namespace {

void DrawPiece(QPainter& painter, const QRect& itemRect, int x, const QString& text) {
    if (text.isEmpty() || x > itemRect.right())
        return;
    const QRect target(QPoint(x, itemRect.top()), itemRect.bottomRight());
    painter.drawText(target, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text);
}

} // namespace

void DrawMarkedText(QPainter& painter, const QRect& itemRect, int x, const QByteArray& text, const QColor& textColor,
                    int firstTakeBack, int barTakeBack) {
    const MarkerPieces pieces = SplitAtMarker(text);
    const QFontMetrics metrics = painter.fontMetrics();
    painter.save();
    painter.setPen(textColor);
    DrawPiece(painter, itemRect, x, sjis::toUnicode(pieces.first));
    x += GetTextWidth(metrics, pieces.first) - firstTakeBack;
    painter.setPen(kMarkerColor);
    DrawPiece(painter, itemRect, x, QStringLiteral("|"));
    x += GetTextWidth(metrics, "|") - barTakeBack;
    painter.setPen(textColor);
    DrawPiece(painter, itemRect, x, sjis::toUnicode(pieces.second));
    painter.restore();
}
