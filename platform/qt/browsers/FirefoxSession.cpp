#include "platform/qt/browsers/FirefoxSession.h"

#include "platform/foundation/Lz4Block.h"
#include "platform/foundation/URL.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fstream>
#include <iterator>

namespace platform {

namespace fs = std::filesystem;

namespace {

// A session store is a few megabytes at most, even with hundreds of tabs.
constexpr std::uintmax_t largestStore = 64u << 20;

// The element at a 1-based index as the store counts them, else the last.
QJsonValue oneBased(const QJsonArray& array, const QJsonValue& index) {
    const int at = index.toInt(array.size());
    return at >= 1 && at <= array.size() ? array.at(at - 1) : array.last();
}

} // namespace

FirefoxSession::FirefoxSession(const fs::path& profile) : file_(profile / "sessionstore-backups" / "recovery.jsonlz4") {}

std::vector<FirefoxSession::Page> FirefoxSession::pages(std::string_view json) {
    std::vector<Page> pages;
    const auto document =
        QJsonDocument::fromJson(QByteArray::fromRawData(json.data(), static_cast<qsizetype>(json.size())));
    for (const QJsonValue window : document.object().value("windows").toArray()) {
        const QJsonArray tabs = window.toObject().value("tabs").toArray();
        const QJsonValue selected = window.toObject().value("selected");
        const int selectedAt = selected.toInt(tabs.size());
        for (int at = 0; at < tabs.size(); ++at) {
            const QJsonObject tab = tabs.at(at).toObject();
            const QJsonArray entries = tab.value("entries").toArray();
            if (entries.isEmpty()) {
                continue;
            }
            const QJsonObject entry = oneBased(entries, tab.value("index")).toObject();
            const QString address = entry.value("url").toString();
            if (!address.isEmpty()) {
                pages.push_back({entry.value("title").toString().toStdString(), address.toStdString(),
                                 at + 1 == selectedAt});
            }
        }
    }
    return pages;
}

bool FirefoxSession::titleShows(std::string_view windowTitle, std::string_view pageTitle) {
    if (pageTitle.empty() || !windowTitle.starts_with(pageTitle)) {
        return false;
    }
    // What follows the page's title is the browser's name after a dash.
    const std::string_view rest = windowTitle.substr(pageTitle.size());
    return rest.empty() || rest.starts_with(" \u2014 ") || rest.starts_with(" - ");
}

std::optional<std::string> FirefoxSession::addressShownIn(const std::string& windowTitle) {
    readIfChanged();
    for (const bool selectedOnly : {true, false}) {
        std::optional<std::string> found;
        std::optional<std::string> foundHost;
        for (const Page& page : pages_) {
            if ((selectedOnly && !page.selected) || !titleShows(windowTitle, page.title)) {
                continue;
            }
            const auto url = URL::fromString(page.address);
            const auto host = url ? url->host() : std::nullopt;
            if (found && foundHost != host) {
                return std::nullopt;
            }
            found = found.value_or(page.address);
            foundHost = host;
        }
        if (found) {
            return found;
        }
    }
    return std::nullopt;
}

void FirefoxSession::readIfChanged() {
    std::error_code error;
    const auto stamp = fs::last_write_time(file_, error);
    const auto size = error ? 0 : fs::file_size(file_, error);
    if (error) {
        // No store yet (a fresh profile), or no longer (the browser ended).
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
    if (size > largestStore) {
        return;
    }
    std::ifstream in(file_, std::ios::binary);
    const std::string compressed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Firefox replaces the file whole, so a read never sees half of one; a
    // damaged file simply shows no pages.
    if (const auto json = decodeMozLz4(compressed)) {
        pages_ = pages(*json);
    }
}

} // namespace platform
