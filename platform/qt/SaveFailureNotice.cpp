#include "platform/qt/SaveFailureNotice.h"

#include "platform/foundation/SaveFailures.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace platform {

void SaveFailureNotice::sync() {
    auto latest = SaveFailures::latestMessage();
    if (latest && latest != standing_) {
        notify(*latest);
    }
    standing_ = std::move(latest);
}

QString SaveFailureNotice::toolTipLine() const {
    return standing_ ? QStringLiteral("\nNot saved: ") + QString::fromStdString(*standing_) : QString();
}

void SaveFailureNotice::notify(const std::string& message) const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // A critical notification stays until the person has seen it.
    QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue<uchar>(2)}};
    call << applicationName_ << 0u << QStringLiteral("dialog-warning")
         << applicationName_ + QStringLiteral(" could not save your changes") << QString::fromStdString(message)
         << QStringList() << hints << -1;
    // Without a notification server nobody answers: the tooltip still says it.
    QDBusConnection::sessionBus().send(call);
}

} // namespace platform
