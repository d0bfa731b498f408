#pragma once

#include "platform/qt/browsers/BrowserSessionFile.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace platform {

// Firefox's session store: sessionstore-backups/recovery.jsonlz4 in the
// profile, JSON in Mozilla's LZ4 wrapping, rewritten whole within 15 seconds
// of a page's load.
class FirefoxSession {
public:
    static std::filesystem::path fileIn(const std::filesystem::path& profile);
    // The pages of a recovery.jsonlz4 file's tabs.
    static std::vector<BrowserSessionFile::Page> read(std::string_view file);
    // The pages of the tabs in a session store's JSON; none for JSON that is
    // not a session store.
    static std::vector<BrowserSessionFile::Page> pages(std::string_view json);
};

} // namespace platform
