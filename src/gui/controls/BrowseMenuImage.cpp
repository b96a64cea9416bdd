#include "gui/controls/BrowseMenuImage.h"

#include "gui/controls/SysImg.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

QPixmap BrowseMenuImage(TSysImageList& images, const QByteArray& browserPath, bool enabled, const QColor& menuColor) {
    const int index = images.GetFileIconIndex(browserPath, false);
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(enabled ? menuColor : QColor(Qt::white));
    QPainter painter(&image);
    images.Draw(painter, 0, 0, index, enabled);
    painter.end();
    return QPixmap::fromImage(image);
}

QColor SystemMenuColor() {
    return QApplication::palette("QMenu").color(QPalette::Window);
}

int ReplaceLastImage(QList<QPixmap>& images, const QPixmap& image) {
    if (!images.isEmpty())
        images.removeLast();
    images.append(image);
    return static_cast<int>(images.size() - 1);
}
