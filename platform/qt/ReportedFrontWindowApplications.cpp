#include "platform/qt/ReportedFrontWindowApplications.h"

namespace platform {

ReportedFrontWindowApplications::ReportedFrontWindowApplications()
    : namer_("/proc", DesktopEntryIndex(DesktopEntryIndex::sessionFolders(), DesktopEntryIndex::messagesLocale())) {}

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
