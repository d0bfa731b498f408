#pragma once

#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/URL.h"

#include <optional>
#include <string>
#include <string_view>

namespace Urlstash {

// The text file every dropped link is appended to, under one date heading
// per calendar day, and the moment of the last heading in the defaults.
// The file is only ever appended to and never read. A write that cannot be
// made is said on standard error (SaveFailures) and the program goes on with
// the next drop. Main thread only.
class LinkFile {
public:
    static constexpr std::string_view mostRecentLogKey = "Urlstash.mostRecentLog";

    // The file is `links.txt` in `linksFolder`.
    LinkFile(platform::URL linksFolder, platform::UserDefaults& defaults);

    const platform::URL& linksFolderURL() const { return linksFolderURL_; }
    const platform::URL& linksFileURL() const { return linksFileURL_; }
    // When the last date heading was written; absent until prepareLinkFile.
    std::optional<platform::Date> mostRecentLog() const { return mostRecentLog_; }

    // Start-up: the stored moment (or now) is read and saved back, the folder
    // is created, and a new file gets its first date heading. False when the
    // folder cannot be created.
    bool prepareLinkFile();
    // One link line, after a date heading when the calendar day has turned
    // since the last one. A missing file is created holding only the line.
    // False when the line could not be written.
    bool logLink(const platform::URL& url, const std::optional<std::string>& title);
    // A date heading dated now, which becomes the most recent log.
    bool logDate();

    // The stored moment; nothing when the key is missing or holds no number.
    std::optional<platform::Date> loadMostRecentLog() const;
    // Stores the moment in seconds since 1970, or removes the key when absent.
    void saveMostRecentLog();

private:
    // Appends to the existing file, or writes a missing one atomically.
    bool write(const std::string& text);
    // Tells SaveFailures how the latest write went; returns `written`.
    bool recordWrite(bool written, const std::string& error) const;

    platform::URL linksFolderURL_;
    platform::URL linksFileURL_;
    platform::UserDefaults& defaults_;
    std::optional<platform::Date> mostRecentLog_;
};

} // namespace Urlstash
