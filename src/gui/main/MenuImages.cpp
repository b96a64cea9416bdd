#include "gui/main/MenuImages.h"

#include <QPainter>
#include <QPixmap>
#include <functional>
#include <iterator>

namespace {

QPixmap Draw(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    paint(p);
    return pixmap;
}

void Page(QPainter& p, int x, int y, int w, int h) {
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(x, y, w, h);
    p.setPen(QColor(0x90, 0x90, 0xC0));
    for (int line = y + 3; line < y + h - 1; line += 2)
        p.drawLine(x + 2, line, x + w - 2, line);
}

void DrawCopy(QPainter& p) { // two pages
    Page(p, 1, 1, 8, 10);
    Page(p, 6, 4, 8, 11);
}

void DrawPaste(QPainter& p) { // a clipboard with a page
    p.setPen(QColor(0x60, 0x40, 0x10));
    p.setBrush(QColor(0xC8, 0x96, 0x48));
    p.drawRect(1, 2, 10, 13);
    p.setBrush(QColor(0x80, 0x80, 0x80));
    p.drawRect(4, 1, 4, 2);
    Page(p, 7, 6, 7, 9);
}

void DrawEditTemplate(QPainter& p) { // a list with a pencil
    Page(p, 1, 1, 10, 13);
    p.setPen(QPen(QColor(0xE0, 0x60, 0x00), 2));
    p.drawLine(8, 14, 14, 5);
    p.setPen(Qt::black);
    p.drawPoint(7, 15);
}

void DrawOption(QPainter& p) { // a gear
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(0x40, 0x40, 0x60), 3));
    // The four spokes at 0, 45, 90 and 135 degrees, their rotations written out as QPainter::rotate works
    // them out (the cosine first): working them out here would read the maths library's sine tables into
    // memory for this one picture.
    constexpr qreal c = 0.70710678118654757, s = 0.70710678118654746;
    const QTransform spokes[] = {{1, 0, 0, 1, 8, 8}, {c, s, -s, c, 8, 8}, {0, 1, -1, 0, 8, 8}, {-s, c, -c, -s, 8, 8}};
    for (const QTransform& spoke : spokes) {
        p.save();
        p.setWorldTransform(spoke, true);
        p.drawLine(-7, 0, 7, 0);
        p.restore();
    }
    p.setPen(QPen(QColor(0x40, 0x40, 0x60), 1));
    p.setBrush(QColor(0xA0, 0xA8, 0xC0));
    p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 8), 1.5, 1.5);
}

void DrawManual(QPainter& p) { // a book
    p.setPen(QColor(0x20, 0x30, 0x70));
    p.setBrush(QColor(0x30, 0x60, 0xC0));
    p.drawRect(2, 1, 11, 14);
    p.setBrush(Qt::white);
    p.drawRect(4, 3, 7, 3);
}

void DrawNextPage(QPainter& p) { // a double chevron pointing right
    p.setPen(QColor(0x10, 0x50, 0x10));
    p.setBrush(QColor(0x30, 0xB0, 0x30));
    for (int x : {0, 7}) {
        const QPoint chevron[] = {{x, 2}, {x + 3, 2}, {x + 8, 8}, {x + 3, 14}, {x, 14}, {x + 5, 8}};
        p.drawPolygon(chevron, 6);
    }
}

void DrawMakeShortcut(QPainter& p) { // a page with a globe
    Page(p, 1, 1, 10, 13);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QColor(0x10, 0x40, 0x90));
    p.setBrush(QColor(0x60, 0xA0, 0xF0));
    p.drawEllipse(QPointF(10.5, 10.5), 4.5, 4.5);
    p.drawLine(QPointF(6, 10.5), QPointF(15, 10.5));
    p.drawEllipse(QPointF(10.5, 10.5), 2, 4.5);
}

void DrawNothing(QPainter&) {}

} // namespace

QList<QPixmap> MenuImages() {
    // In the order of TMenuImage.
    constexpr void (*painters[])(QPainter&) = {DrawCopy,   DrawPaste,    DrawEditTemplate, DrawOption,
                                               DrawManual, DrawNextPage, DrawMakeShortcut, DrawNothing};
    static_assert(std::size(painters) == std::size_t(TMenuImage::None));
    QList<QPixmap> images;
    for (const auto paint : painters)
        images << Draw(paint);
    return images;
}
