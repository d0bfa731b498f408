#pragma once

#include <QString>

namespace platform {

// A desktop notification (org.freedesktop.Notifications), sent without
// waiting: where no notification server runs, nobody answers and nothing
// else happens.
struct DesktopNotification {
    enum class Urgency : unsigned char { low = 0, normal = 1, critical = 2 };

    static void send(const QString& applicationName, const QString& icon, const QString& summary,
                     const QString& body, Urgency urgency);
};

} // namespace platform
