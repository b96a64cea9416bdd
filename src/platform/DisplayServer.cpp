#include "platform/DisplayServer.h"

#include <QtGlobal>

namespace {

const char* const kVariable = "QT_QPA_PLATFORM";
bool platformRequested = false;

} // namespace

QByteArray PlatformToRequest(const QByteArray& qpaPlatform, const QByteArray& display) {
    if (!qpaPlatform.isEmpty() || display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

void PreferX11Platform() {
    const QByteArray platform = PlatformToRequest(qgetenv(kVariable), qgetenv("DISPLAY"));
    if (platform.isEmpty())
        return;
    qputenv(kVariable, platform);
    platformRequested = true;
}

void ForgetPlatformRequest() {
    if (!platformRequested)
        return;
    qunsetenv(kVariable);
    platformRequested = false;
}
