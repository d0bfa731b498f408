#pragma once

#include "platform/appkit/BrowserPage.h"
#include "platform/qt/SessionApplications.h"
#include "platform/qt/browsers/FirefoxSession.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The page the web browser in front shows, read from what the browser keeps
// in its profile, with nothing installed or set up: Firefox and its
// editions (ESR, Nightly, the snap and the Flatpak). The window in front
// tells which profile (through its process) and which window (through its
// title, which starts with the page's title).
class BrowserPages {
public:
    // `processes` is /proc; `profileFolders` where profiles.ini files are
    // looked for when the window gives no process (Wayland).
    BrowserPages(std::filesystem::path processes, std::vector<std::filesystem::path> profileFolders);

    // Nothing when the window is not a browser's that this reads.
    std::optional<BrowserPage> pageIn(const SessionApplications::FrontWindow& window);

    // Whether the window class (or app id) is one of Firefox's.
    static bool isFirefox(const std::string& windowClass);

private:
    std::vector<std::filesystem::path> profilesOf(int processIdentifier);
    FirefoxSession& session(const std::filesystem::path& profile);

    std::filesystem::path processes_;
    std::vector<std::filesystem::path> profileFolders_;
    std::map<std::filesystem::path, FirefoxSession> sessions_;
    // A process keeps its profile for life: found once per process.
    int profiledProcess_ = 0;
    std::optional<std::filesystem::path> profileOfProcess_;
};

} // namespace platform
