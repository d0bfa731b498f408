#pragma once

#include "platform/appkit/BrowserPage.h"
#include "platform/qt/SessionApplications.h"
#include "platform/qt/browsers/BrowserSessionFile.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The page the web browser in front shows, read from the file in which the
// browser keeps its tabs for crash recovery, with nothing installed or set
// up: Firefox and its editions, Chromium and the browsers built on it. The
// window in front tells which file (through its process, else the
// browser's folders where Wayland gives none) and which tab (through its
// title, which starts with the page's).
class BrowserPages {
public:
    struct Folders {
        std::filesystem::path processes;              // /proc
        std::vector<std::filesystem::path> firefox;   // where profiles.ini files are
        std::vector<std::filesystem::path> chromium;  // where the profiles are
    };

    explicit BrowserPages(Folders folders);
    // The user's own folders.
    static Folders userFolders();

    // Nothing when the window is not a browser's that this reads.
    std::optional<BrowserPage> pageIn(const SessionApplications::FrontWindow& window);

    enum class Family { firefox, chromium };
    // The browser a window class (or app id) is of, if one that this reads.
    static std::optional<Family> familyOf(const std::string& windowClass);

private:
    std::vector<std::filesystem::path> sessionFiles(Family family, int processIdentifier);
    BrowserSessionFile& sessionFile(Family family, const std::filesystem::path& file);

    Folders folders_;
    std::map<std::filesystem::path, BrowserSessionFile> files_;
    // The process whose file was looked for last, when, and the file found.
    int searchedProcess_ = 0;
    std::chrono::steady_clock::time_point searchedAt_;
    std::optional<std::filesystem::path> fileOfProcess_;
};

} // namespace platform
