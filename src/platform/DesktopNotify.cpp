#include "platform/DesktopNotify.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

namespace {

bool SessionBusReachable() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

} // namespace

void ReportWithoutWaiting(const QString& title, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", title.trimmed().toLocal8Bit().constData(), text.toLocal8Bit().constData());
    std::fflush(stderr);

    // Without a session bus to reach, connecting would try to launch one: there is nobody to tell then.
    if (!SessionBusReachable())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << title.trimmed() << quint32(0) << QStringLiteral("velmarinth") << title.trimmed() << text << QStringList()
           << QVariantMap() << qint32(-1);
    // Without a service the bus answers with an error nobody waits for; no service is started for it.
    notify.setAutoStartService(false);
    bus.asyncCall(notify);
}
