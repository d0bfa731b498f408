#include "platform/qt/browsers/FirefoxSession.h"

#include "platform/foundation/Lz4Block.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace platform {

namespace {

// The element at a 1-based index as the store counts them, else the last.
QJsonValue oneBased(const QJsonArray& array, const QJsonValue& index) {
    const int at = index.toInt(static_cast<int>(array.size()));
    return at >= 1 && at <= array.size() ? array.at(at - 1) : array.last();
}

} // namespace

std::filesystem::path FirefoxSession::fileIn(const std::filesystem::path& profile) {
    return profile / "sessionstore-backups" / "recovery.jsonlz4";
}

std::vector<BrowserSessionFile::Page> FirefoxSession::read(std::string_view file) {
    // Firefox replaces the file whole, so a read never sees half of one.
    const auto json = decodeMozLz4(file);
    return json ? pages(*json) : std::vector<BrowserSessionFile::Page>{};
}

std::vector<BrowserSessionFile::Page> FirefoxSession::pages(std::string_view json) {
    std::vector<BrowserSessionFile::Page> pages;
    const auto document =
        QJsonDocument::fromJson(QByteArray::fromRawData(json.data(), static_cast<qsizetype>(json.size())));
    const QJsonArray windows = document.object().value("windows").toArray();
    const int frontWindow = document.object().value("selectedWindow").toInt(0);
    for (int windowAt = 0; windowAt < windows.size(); ++windowAt) {
        const QJsonValue window = windows.at(windowAt);
        const QJsonArray tabs = window.toObject().value("tabs").toArray();
        const int selected = window.toObject().value("selected").toInt(static_cast<int>(tabs.size()));
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
                                 at + 1 == selected, at + 1 == selected && windowAt + 1 == frontWindow});
            }
        }
    }
    return pages;
}

} // namespace platform
