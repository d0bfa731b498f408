#include "platform/qt/browsers/BrowserSessionFile.h"

#include "platform/foundation/URL.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace platform {

namespace fs = std::filesystem;

namespace {

// Sessions are a few megabytes at most, even with hundreds of tabs.
constexpr std::uintmax_t largestSession = 64u << 20;

std::optional<std::string> hostOf(const std::string& address) {
    const auto url = URL::fromString(address);
    return url ? url->host() : std::nullopt;
}

} // namespace

BrowserSessionFile::BrowserSessionFile(fs::path file, Reader reader) : file_(std::move(file)), reader_(reader) {}

bool BrowserSessionFile::titleShows(std::string_view windowTitle, std::string_view pageTitle) {
    if (pageTitle.empty() || !windowTitle.starts_with(pageTitle)) {
        return false;
    }
    // What follows the page's title is the browser's name after a dash.
    const std::string_view rest = windowTitle.substr(pageTitle.size());
    return rest.empty() || rest.starts_with(" \u2014 ") || rest.starts_with(" - ");
}

std::optional<std::string> BrowserSessionFile::addressShownIn(const std::string& windowTitle) {
    readIfChanged();
    if (lastTitle_ && *lastTitle_ != windowTitle) {
        titleChanged_ = fs::file_time_type::clock::now();
    }
    lastTitle_ = windowTitle;
    for (const bool selectedOnly : {true, false}) {
        // The longest title the window's starts with: "Inbox" is no match
        // for a window showing "Inbox - Notes".
        std::size_t longest = 0;
        for (const Page& page : pages_) {
            if ((!selectedOnly || page.selected) && titleShows(windowTitle, page.title)) {
                longest = std::max(longest, page.title.size());
            }
        }
        std::optional<std::string> found;
        std::optional<std::string> foundHost;
        for (const Page& page : pages_) {
            if ((selectedOnly && !page.selected) || page.title.size() != longest ||
                !titleShows(windowTitle, page.title)) {
                continue;
            }
            const auto host = hostOf(page.address);
            if (found && foundHost != host) {
                return std::nullopt;
            }
            if (!found) {
                found = page.address;
                foundHost = host;
            }
        }
        if (found) {
            return found;
        }
    }
    const auto front = std::find_if(pages_.begin(), pages_.end(), [](const Page& page) { return page.inFrontWindow; });
    const bool writtenSinceTitleChanged = !titleChanged_ || (stamp_ && *stamp_ >= *titleChanged_);
    if (front != pages_.end() && front->title.empty() && writtenSinceTitleChanged) {
        return front->address;
    }
    return std::nullopt;
}

void BrowserSessionFile::readIfChanged() {
    std::error_code error;
    const auto stamp = fs::last_write_time(file_, error);
    const auto size = error ? 0 : fs::file_size(file_, error);
    if (error) {
        // No file yet (a fresh profile), or no longer (the browser ended).
        stamp_.reset();
        pages_.clear();
        return;
    }
    if (stamp_ == stamp && size_ == size) {
        return;
    }
    stamp_ = stamp;
    size_ = size;
    pages_.clear();
    if (size > largestSession) {
        return;
    }
    std::ifstream in(file_, std::ios::binary);
    const std::string contents{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    pages_ = reader_(contents);
}

} // namespace platform
