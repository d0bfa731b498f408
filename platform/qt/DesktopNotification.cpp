#include "platform/qt/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace platform {

void DesktopNotification::send(const QString& applicationName, const QString& icon, const QString& summary,
                               const QString& body, Urgency urgency) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(static_cast<uchar>(urgency))}};
    call << applicationName << 0u << icon << summary << body << QStringList() << hints << -1;
    QDBusConnection::sessionBus().send(call);
}

} // namespace platform
