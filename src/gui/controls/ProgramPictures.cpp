#include "gui/controls/ProgramPictures.h"

#include "gui/controls/EmbeddedPictures.h"

#include <QGuiApplication>

QPixmap ProgramPicture(const char* name) {
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap sharp = PixmapOf((QByteArray(name) + "@2x").constData());
        sharp.setDevicePixelRatio(2.0);
        return sharp;
    }
    return PixmapOf(name);
}

QIcon ProgramIcon() {
    QIcon icon;
    icon.addPixmap(PixmapOf("velmarinth-16"));
    icon.addPixmap(PixmapOf("velmarinth-32"));
    return icon;
}
