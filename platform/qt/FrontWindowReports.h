#pragma once

#include "platform/qt/SessionApplications.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>

namespace platform {

// The window in front as code running inside the compositor reports it over
// the session bus, where the compositor tells no other program (KWin and
// GNOME Shell on Wayland): each report is the window's class or app id, its
// process (as text, "0" when unknown) and its title; an empty class says no
// window is in front.
class FrontWindowReports final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "dev.menulets.FrontWindow")

public:
    static constexpr const char* objectPath = "/dev/menulets/FrontWindow";
    static constexpr const char* interfaceName = "dev.menulets.FrontWindow";

    // Takes the reports called on this object's path on `bus`.
    bool receiveCallsOn(QDBusConnection bus);

    const std::optional<SessionApplications::FrontWindow>& current() const { return current_; }

public slots:
    void Activated(const QString& windowClass, const QString& processIdentifier, const QString& title);

private:
    std::optional<SessionApplications::FrontWindow> current_;
};

} // namespace platform
