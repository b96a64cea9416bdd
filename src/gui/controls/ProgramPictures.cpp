#include "gui/controls/ProgramPictures.h"

#include "gui/controls/EmbeddedPictures.h"

#include <QGuiApplication>

QPixmap ProgramPicture(const char* name) {
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap sharp = QPixmap::fromImage(EmbeddedPicture((QByteArray(name) + "@2x").constData()));
        sharp.setDevicePixelRatio(2.0);
        return sharp;
    }
    return QPixmap::fromImage(EmbeddedPicture(name));
}

QIcon ProgramIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(EmbeddedPicture("velmarinth-16")));
    icon.addPixmap(QPixmap::fromImage(EmbeddedPicture("velmarinth-32")));
    return icon;
}
