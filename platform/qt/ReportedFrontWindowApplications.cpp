#include "platform/qt/ReportedFrontWindowApplications.h"

#include "platform/foundation/Environment.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace platform {

ReportedFrontWindowApplications::ReportedFrontWindowApplications()
    : namer_("/proc", DesktopEntryIndex(DesktopEntryIndex::sessionFolders(), DesktopEntryIndex::messagesLocale())) {}

bool ReportedFrontWindowApplications::inWaylandSessionWith(const char* service) {
    if (environmentValue("WAYLAND_DISPLAY").empty()) {
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface()->isServiceRegistered(QLatin1String(service));
}

std::vector<RunningApplication> ReportedFrontWindowApplications::running() {
    if (auto application = frontmost()) {
        return {*application};
    }
    return {};
}

std::optional<RunningApplication> ReportedFrontWindowApplications::frontmost() {
    const auto& window = reports_.current();
    if (!window) {
        return std::nullopt;
    }
    return namer_.application(window->processIdentifier, window->windowClass);
}

std::optional<SessionApplications::FrontWindow> ReportedFrontWindowApplications::frontWindow() {
    return reports_.current();
}

} // namespace platform
