#pragma once

#include "platform/qt/browsers/BrowserSessionFile.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

// The session file of Chromium and the browsers built on it (Google Chrome,
// Brave, Edge, Vivaldi): <profile>/Sessions/Session_<time>, a log of
// commands ("SNSS") the browser appends to a few seconds after each change:
// which tab is in which window at which place, each tab's history entries
// (address and title) and the one it shows, closed tabs and windows.
class ChromiumSession {
public:
    // The pages of the open tabs the log leaves; none for a file of another kind.
    static std::vector<BrowserSessionFile::Page> read(std::string_view file);

    // The session file a browser process holds open, seen through
    // `processes` (/proc); nothing for a process of another user.
    static std::optional<std::filesystem::path> ofProcess(const std::filesystem::path& processes,
                                                          int processIdentifier);
    // The session file written last below these folders (the browsers'
    // folders of profiles), for a window that gives no process (Wayland).
    static std::optional<std::filesystem::path> newestIn(const std::vector<std::filesystem::path>& folders);
    // Where the browsers keep their profiles: ~/.config/chromium and the like.
    static std::vector<std::filesystem::path> userFolders();
};

} // namespace platform
