#include "platform/qt/browsers/ChromiumSession.h"

#include "platform/foundation/Environment.h"
#include "platform/qt/browsers/OpenFiles.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace platform {

namespace fs = std::filesystem;

namespace {

// The commands read; the others (window bounds, tab groups, markers) are passed over.
enum Command : std::uint8_t {
    setTabWindow = 0,
    setTabIndexInWindow = 2,
    updateTabNavigation = 6,
    setSelectedNavigationIndex = 7,
    setSelectedTabInIndex = 8,
    tabClosed = 16,
    windowClosed = 17,
    setActiveWindow = 20,
};

// A command's arguments: 32-bit little-endian integers, and strings as a
// length and their bytes padded to four (a Pickle).
class Arguments {
public:
    explicit Arguments(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::int32_t> integer() {
        if (bytes_.size() - at_ < 4) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) {
            value = value << 8 | static_cast<unsigned char>(bytes_[at_ + static_cast<std::size_t>(i)]);
        }
        at_ += 4;
        return static_cast<std::int32_t>(value);
    }
    std::optional<std::pair<std::int32_t, std::int32_t>> pair() {
        const auto first = integer();
        const auto second = integer();
        return first && second ? std::optional(std::pair(*first, *second)) : std::nullopt;
    }
    std::optional<std::string> string() {
        const auto length = integer();
        if (!length || *length < 0 || !fits(static_cast<std::size_t>(*length))) {
            return std::nullopt;
        }
        std::string text(bytes_.substr(at_, static_cast<std::size_t>(*length)));
        skipPadded(text.size());
        return text;
    }
    // UTF-16 code units, as UTF-8.
    std::optional<std::string> string16() {
        const auto units = integer();
        if (!units || *units < 0 || static_cast<std::size_t>(*units) > bytes_.size() / 2 ||
            !fits(2 * static_cast<std::size_t>(*units))) {
            return std::nullopt;
        }
        std::u16string text(static_cast<std::size_t>(*units), u'\0');
        std::memcpy(text.data(), bytes_.data() + at_, 2 * text.size());
        skipPadded(2 * text.size());
        return QString::fromStdU16String(text).toStdString();
    }

private:
    bool fits(std::size_t length) const { return length <= bytes_.size() - at_; }
    void skipPadded(std::size_t length) { at_ = std::min(bytes_.size(), at_ + (length + 3) / 4 * 4); }

    std::string_view bytes_;
    std::size_t at_ = 0;
};

struct Tab {
    std::map<std::int32_t, BrowserSessionFile::Page> history;
    std::optional<std::int32_t> shown;
    std::int32_t window = 0;
    std::int32_t place = -1;
};

} // namespace

std::vector<BrowserSessionFile::Page> ChromiumSession::read(std::string_view file) {
    if (file.size() < 8 || file.substr(0, 4) != "SNSS") {
        return {};
    }
    std::map<std::int32_t, Tab> tabs;
    // A damaged log naming ever more tabs, or entries of one, costs no more
    // than these (a browser keeps a few dozen entries of each tab).
    constexpr std::size_t mostTabs = 50'000;
    constexpr std::size_t mostEntries = 1'000;
    const auto tab = [&tabs](std::int32_t id) -> Tab* {
        const auto found = tabs.find(id);
        if (found != tabs.end()) {
            return &found->second;
        }
        return tabs.size() < mostTabs ? &tabs[id] : nullptr;
    };
    std::map<std::int32_t, std::int32_t> selectedPlace;
    std::set<std::int32_t> closedWindows;
    std::optional<std::int32_t> activeWindow;
    std::size_t at = 8;
    while (file.size() - at >= 2) {
        const std::size_t size = static_cast<unsigned char>(file[at]) |
                                 static_cast<std::size_t>(static_cast<unsigned char>(file[at + 1])) << 8;
        at += 2;
        if (size == 0 || size > file.size() - at) {
            break; // the end of what was written, or a command cut off
        }
        const auto id = static_cast<std::uint8_t>(file[at]);
        Arguments arguments(file.substr(at + 1, size - 1));
        at += size;
        switch (id) {
        case setTabWindow:
            if (const auto windowAndTab = arguments.pair(); windowAndTab && tab(windowAndTab->second)) {
                tab(windowAndTab->second)->window = windowAndTab->first;
            }
            break;
        case setTabIndexInWindow:
            if (const auto tabAndPlace = arguments.pair(); tabAndPlace && tab(tabAndPlace->first)) {
                tab(tabAndPlace->first)->place = tabAndPlace->second;
            }
            break;
        case updateTabNavigation: {
            // A Pickle: its payload's size, then the tab, the entry's place in
            // its history, the address and the title.
            arguments.integer();
            const auto id = arguments.integer();
            const auto entry = arguments.integer();
            auto address = arguments.string();
            auto title = arguments.string16();
            Tab* navigated = id ? tab(*id) : nullptr;
            if (navigated && entry && address && title &&
                (navigated->history.size() < mostEntries || navigated->history.contains(*entry))) {
                navigated->history[*entry] = {std::move(*title), std::move(*address), false};
            }
            break;
        }
        case setSelectedNavigationIndex:
            if (const auto tabAndEntry = arguments.pair(); tabAndEntry && tab(tabAndEntry->first)) {
                tab(tabAndEntry->first)->shown = tabAndEntry->second;
            }
            break;
        case setSelectedTabInIndex:
            if (const auto windowAndPlace = arguments.pair()) {
                selectedPlace[windowAndPlace->first] = windowAndPlace->second;
            }
            break;
        case tabClosed:
            if (const auto closed = arguments.integer()) {
                tabs.erase(*closed);
            }
            break;
        case windowClosed:
            if (const auto window = arguments.integer()) {
                closedWindows.insert(*window);
            }
            break;
        case setActiveWindow: activeWindow = arguments.integer(); break;
        default: break;
        }
    }
    // A window's selected tab is counted among its tabs in the order of their
    // places: closing a tab leaves the places of the others as they were.
    std::map<std::int32_t, std::vector<std::pair<std::int32_t, std::int32_t>>> placesInWindow;
    for (const auto& [id, open] : tabs) {
        if (!open.history.empty() && !closedWindows.contains(open.window)) {
            placesInWindow[open.window].emplace_back(open.place, id);
        }
    }
    std::set<std::int32_t> selectedTabs;
    for (auto& [window, places] : placesInWindow) {
        std::sort(places.begin(), places.end());
        if (const auto selected = selectedPlace.find(window); selected != selectedPlace.end() && !places.empty()) {
            const auto rank = std::clamp<std::int64_t>(selected->second, 0, static_cast<std::int64_t>(places.size()) - 1);
            selectedTabs.insert(places[static_cast<std::size_t>(rank)].second);
        }
    }
    std::vector<BrowserSessionFile::Page> pages;
    for (const auto& [id, open] : tabs) {
        if (open.history.empty() || closedWindows.contains(open.window)) {
            continue;
        }
        const auto shown = open.shown ? open.history.find(*open.shown) : open.history.end();
        BrowserSessionFile::Page page = shown != open.history.end() ? shown->second : open.history.rbegin()->second;
        page.selected = selectedTabs.contains(id);
        page.inFrontWindow = page.selected && activeWindow == open.window;
        pages.push_back(std::move(page));
    }
    return pages;
}

std::optional<fs::path> ChromiumSession::ofProcess(const fs::path& processes, int processIdentifier) {
    return OpenFiles::find(processes, processIdentifier, [](const fs::path& file) {
        return file.parent_path().filename() == "Sessions" && file.filename().string().starts_with("Session_");
    });
}

std::optional<fs::path> ChromiumSession::newestIn(const std::vector<fs::path>& folders) {
    std::optional<fs::path> newest;
    fs::file_time_type newestTime{};
    for (const auto& folder : folders) {
        std::error_code error;
        for (fs::directory_iterator profile(folder, error), end; !error && profile != end; profile.increment(error)) {
            std::error_code unreadable;
            for (fs::directory_iterator file(profile->path() / "Sessions", unreadable), none;
                 !unreadable && file != none; file.increment(unreadable)) {
                std::error_code stat;
                const auto written = file->last_write_time(stat);
                if (!stat && file->path().filename().string().starts_with("Session_") &&
                    (!newest || written > newestTime)) {
                    newest = file->path();
                    newestTime = written;
                }
            }
        }
    }
    return newest;
}

std::vector<fs::path> ChromiumSession::userFolders() {
    const fs::path config = configHomeFolder();
    std::vector<fs::path> folders;
    for (const char* browser : {"chromium", "google-chrome", "google-chrome-beta", "BraveSoftware/Brave-Browser",
                                "microsoft-edge", "vivaldi"}) {
        folders.push_back(config / browser);
    }
    return folders;
}

} // namespace platform
