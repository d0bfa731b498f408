#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The tabs of a running Firefox as its session store last wrote them
// (sessionstore-backups/recovery.jsonlz4 in the profile, rewritten at most
// every 15 seconds after a page loads). The file is read again only when it
// changed, so asking every second costs a stat.
class FirefoxSession {
public:
    // The page a tab shows: the current entry of its history.
    struct Page {
        std::string title;
        std::string address;
        bool selected = false; // the tab its window shows (as last written)
    };

    explicit FirefoxSession(const std::filesystem::path& profile);

    // The address of the page shown by the window titled `windowTitle`
    // ("<page title> — Mozilla Firefox"): a selected tab of that title, else
    // any tab of that title, since a tab brought to the front is written
    // down only with the next page loaded. Nothing when no tab has that title
    // (a private window, which the store leaves out; a page loaded since the
    // last write), or when tabs of that title are on different hosts.
    std::optional<std::string> addressShownIn(const std::string& windowTitle);

    // The pages the tabs of a session store's JSON show; none for JSON that
    // is not a session store.
    static std::vector<Page> pages(std::string_view json);
    // Whether a window of this title shows a page of that title.
    static bool titleShows(std::string_view windowTitle, std::string_view pageTitle);

private:
    void readIfChanged();

    std::filesystem::path file_;
    std::optional<std::filesystem::file_time_type> stamp_;
    std::uintmax_t size_ = 0;
    std::vector<Page> pages_;
};

} // namespace platform
