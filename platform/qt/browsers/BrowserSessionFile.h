#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A file in which a browser keeps its open tabs for crash recovery, read
// again only when it changed (so asking every second costs a stat), and the
// tab a window shows found by the window's title, which starts with the
// title of the page in front.
class BrowserSessionFile {
public:
    // The page a tab shows: the current entry of its history.
    struct Page {
        std::string title;
        std::string address;
        bool selected = false;    // the tab its window shows, as last written
        bool inFrontWindow = false; // selected in the window the browser had in front
    };
    // Reads a file's whole contents into its tabs' pages; none for a file
    // that is damaged or of another kind.
    using Reader = std::vector<Page> (*)(std::string_view contents);

    BrowserSessionFile(std::filesystem::path file, Reader reader);

    const std::filesystem::path& file() const { return file_; }

    // The address of the page shown by the window titled `windowTitle`
    // ("<page title> — Mozilla Firefox", "<page title> - Chromium"): a
    // selected tab of that title, else any tab of that title, since a tab
    // brought to the front may not be written down as selected yet; else,
    // where the file keeps no titles (Chromium writes a page before its
    // title), the tab selected in the front window, as long as the file was
    // written after the window's title last changed. Nothing when no tab has
    // that title (a private window, which no file keeps; a page loaded since
    // the last write), or when tabs of that title are on different hosts.
    std::optional<std::string> addressShownIn(const std::string& windowTitle);

    // Whether a window of this title shows a page of that title.
    static bool titleShows(std::string_view windowTitle, std::string_view pageTitle);

private:
    void readIfChanged();

    std::filesystem::path file_;
    Reader reader_;
    std::optional<std::filesystem::file_time_type> stamp_;
    std::uintmax_t size_ = 0;
    std::vector<Page> pages_;
    std::optional<std::string> lastTitle_;
    std::optional<std::filesystem::file_time_type> titleChanged_;
};

} // namespace platform
