#include "gui/controls/ProgramPictures.h"

#include <QGuiApplication>
#include <QString>

// The resources live in a static library; referencing their initialisers keeps the linker from dropping them.
static void InitPictureResources() {
    Q_INIT_RESOURCE(buttons);
    Q_INIT_RESOURCE(icons);
}

static void EnsureResources() {
    static const bool initialised = (InitPictureResources(), true);
    Q_UNUSED(initialised);
}

QPixmap ProgramPicture(const char* name) {
    EnsureResources();
    const QString base = QStringLiteral(":/buttons/") + QLatin1String(name);
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap sharp(base + QStringLiteral("@2x.png"));
        sharp.setDevicePixelRatio(2.0);
        return sharp;
    }
    return QPixmap(base + QStringLiteral(".png"));
}

QIcon ProgramIcon() {
    EnsureResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/velmarinth-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/velmarinth-32.png"), QSize(32, 32));
    return icon;
}
