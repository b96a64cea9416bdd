#include "platform/DisplayServer.h"

#include <QtGlobal>

QByteArray PlatformToRequest(const QByteArray& qpaPlatform, const QByteArray& display) {
    if (!qpaPlatform.isEmpty() || display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

void PreferX11Platform() {
    const QByteArray platform = PlatformToRequest(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}
