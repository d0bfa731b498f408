#include "platform/qt/browsers/BrowserPages.h"

#include "platform/foundation/AsciiCase.h"
#include "platform/qt/browsers/FirefoxProfiles.h"

namespace platform {

namespace fs = std::filesystem;

BrowserPages::BrowserPages(fs::path processes, std::vector<fs::path> profileFolders)
    : processes_(std::move(processes)), profileFolders_(std::move(profileFolders)) {}

bool BrowserPages::isFirefox(const std::string& windowClass) {
    // "firefox", "firefox-esr", "firefox-nightly" on X11 and Wayland alike;
    // the Flatpak's app id.
    const std::string lowered = asciiLowercased(windowClass);
    return lowered == "firefox" || lowered.starts_with("firefox-") || lowered == "org.mozilla.firefox";
}

std::optional<BrowserPage> BrowserPages::pageIn(const SessionApplications::FrontWindow& window) {
    if (!isFirefox(window.windowClass)) {
        return std::nullopt;
    }
    BrowserPage page;
    for (const auto& profile : profilesOf(window.processIdentifier)) {
        const auto address = session(profile).addressShownIn(window.title);
        if (!address) {
            continue;
        }
        // Two running profiles showing different pages under one title: neither is credited.
        if (page.address && *page.address != *address) {
            return BrowserPage{};
        }
        page.address = address;
    }
    return page;
}

// The profile of the window's process, else every profile a running
// Firefox holds (a window that gives no process, a process of a sandbox).
std::vector<fs::path> BrowserPages::profilesOf(int processIdentifier) {
    if (processIdentifier > 0) {
        if (processIdentifier != profiledProcess_) {
            profiledProcess_ = processIdentifier;
            profileOfProcess_ = FirefoxProfiles::ofProcess(processes_, processIdentifier);
        }
        if (profileOfProcess_) {
            return {*profileOfProcess_};
        }
    }
    return FirefoxProfiles::running(processes_, profileFolders_);
}

FirefoxSession& BrowserPages::session(const fs::path& profile) {
    auto found = sessions_.find(profile);
    if (found == sessions_.end()) {
        found = sessions_.emplace(profile, FirefoxSession(profile)).first;
    }
    return found->second;
}

} // namespace platform
