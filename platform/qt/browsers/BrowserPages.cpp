#include "platform/qt/browsers/BrowserPages.h"

#include "platform/foundation/AsciiCase.h"
#include "platform/qt/browsers/ChromiumSession.h"
#include "platform/qt/browsers/FirefoxProfiles.h"
#include "platform/qt/browsers/FirefoxSession.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <string_view>

namespace platform {

namespace fs = std::filesystem;

BrowserPages::BrowserPages(Folders folders) : folders_(std::move(folders)) {}

BrowserPages::Folders BrowserPages::userFolders() {
    return {"/proc", FirefoxProfiles::userFolders(), ChromiumSession::userFolders()};
}

std::optional<BrowserPages::Family> BrowserPages::familyOf(const std::string& windowClass) {
    // Window classes on X11 and app ids on Wayland ("firefox-esr",
    // "Chromium", "google-chrome-beta"), and the Flatpaks' app ids.
    constexpr std::array<std::string_view, 2> firefox{"firefox", "org.mozilla.firefox"};
    constexpr std::array<std::string_view, 10> chromium{
        "chromium",          "google-chrome",     "brave-browser",      "microsoft-edge",      "vivaldi",
        "org.chromium.chromium", "com.google.chrome", "com.brave.browser", "com.microsoft.edge", "com.vivaldi.vivaldi"};
    const std::string lowered = asciiLowercased(windowClass);
    const auto named = [&lowered](std::string_view name) {
        return lowered == name || (lowered.starts_with(name) && lowered[name.size()] == '-');
    };
    if (std::any_of(firefox.begin(), firefox.end(), named)) {
        return Family::firefox;
    }
    if (std::any_of(chromium.begin(), chromium.end(), named)) {
        return Family::chromium;
    }
    return std::nullopt;
}

std::optional<BrowserPage> BrowserPages::pageIn(const SessionApplications::FrontWindow& window) {
    const auto family = familyOf(window.windowClass);
    if (!family) {
        return std::nullopt;
    }
    BrowserPage page;
    for (const auto& file : sessionFiles(*family, window.processIdentifier)) {
        const auto address = sessionFile(*family, file).addressShownIn(window.title);
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

// The file of the window's process, else those of the browser's running
// profiles (a window that gives no process, a process in a sandbox).
std::vector<fs::path> BrowserPages::sessionFiles(Family family, int processIdentifier) {
    if (processIdentifier > 0) {
        // A browser just started may not have opened its file yet, and one
        // may start a new file while it runs: a file found is looked for
        // again after a while, none at every question.
        const auto now = std::chrono::steady_clock::now();
        std::error_code error;
        if (processIdentifier != searchedProcess_ || !fileOfProcess_ || !fs::exists(*fileOfProcess_, error) ||
            now - searchedAt_ > std::chrono::seconds(30)) {
            searchedProcess_ = processIdentifier;
            searchedAt_ = now;
            fileOfProcess_.reset();
            if (family == Family::chromium) {
                fileOfProcess_ = ChromiumSession::ofProcess(folders_.processes, processIdentifier);
            } else if (const auto profile = FirefoxProfiles::ofProcess(folders_.processes, processIdentifier)) {
                fileOfProcess_ = FirefoxSession::fileIn(*profile);
            }
        }
        if (fileOfProcess_) {
            return {*fileOfProcess_};
        }
    }
    if (family == Family::firefox) {
        std::vector<fs::path> files;
        for (const auto& profile : FirefoxProfiles::running(folders_.processes, folders_.firefox)) {
            files.push_back(FirefoxSession::fileIn(profile));
        }
        return files;
    }
    const auto newest = ChromiumSession::newestIn(folders_.chromium);
    return newest ? std::vector<fs::path>{*newest} : std::vector<fs::path>{};
}

BrowserSessionFile& BrowserPages::sessionFile(Family family, const fs::path& file) {
    auto found = files_.find(file);
    if (found == files_.end()) {
        // Files of browsers that ended, or that a browser replaced, are let go.
        std::erase_if(files_, [](const auto& known) {
            std::error_code error;
            return !fs::exists(known.first, error);
        });
        const auto reader = family == Family::firefox ? &FirefoxSession::read : &ChromiumSession::read;
        found = files_.emplace(file, BrowserSessionFile(file, reader)).first;
    }
    return found->second;
}

} // namespace platform
