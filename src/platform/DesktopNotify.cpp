#include "platform/DesktopNotify.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

void ReportWithoutWaiting(const QString& title, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", title.trimmed().toLocal8Bit().constData(), text.toLocal8Bit().constData());
    std::fflush(stderr);

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
