#include "Urlstash/LinkFile.h"

#include "Urlstash/LinkFileFormat.h"

#include "platform/foundation/FileHandle.h"
#include "platform/foundation/FileManager.h"
#include "platform/time/Calendar.h"

namespace Urlstash {

using platform::Date;
using platform::FileHandle;
using platform::FileManager;

namespace {

void appendAtEnd(FileHandle& handle, const std::string& text) {
    // After a failed seek the handle would still be at the start of the file.
    if (handle.seekToEndOfFile()) {
        handle.write(platform::dataFromString(text));
    }
}

} // namespace

LinkFile::LinkFile(platform::URL linksFolder, platform::UserDefaults& defaults)
    : linksFolderURL_(std::move(linksFolder)),
      linksFileURL_(linksFolderURL_.appendingPathComponent("links.txt")),
      defaults_(defaults) {}

bool LinkFile::prepareLinkFile() {
    mostRecentLog_ = loadMostRecentLog().value_or(Date::now());
    saveMostRecentLog();
    auto& files = FileManager::defaultManager();
    if (!files.createDirectory(linksFolderURL_, true)) {
        return false;
    }
    if (!files.fileExists(linksFileURL_.path())) {
        logDate();
    }
    return true;
}

void LinkFile::logLink(const platform::URL& url, const std::optional<std::string>& title) {
    const std::string line = LinkFileFormat::linkLine(url, title);
    const std::string path = linksFileURL_.path();
    auto& files = FileManager::defaultManager();
    if (!files.fileExists(path)) {
        // The file went away while the program ran: it starts again with
        // this line, under no heading, and the day's later links follow it.
        files.writeAtomically(platform::dataFromString(line), path);
        return;
    }
    // Opened before the heading is written, so that a file that takes no
    // writes gets neither the heading nor the line.
    auto handle = FileHandle::forWritingAtPath(path);
    if (!handle) {
        return;
    }
    if (!mostRecentLog_ || !platform::Calendar::current().isDate(*mostRecentLog_, Date::now())) {
        logDate();
    }
    appendAtEnd(*handle, line);
}

void LinkFile::logDate() {
    mostRecentLog_ = Date::now();
    saveMostRecentLog();
    write(LinkFileFormat::dateHeading(*mostRecentLog_));
}

std::optional<Date> LinkFile::loadMostRecentLog() const {
    const auto stored = defaults_.object(mostRecentLogKey);
    if (!stored) {
        return std::nullopt;
    }
    if (const double* seconds = stored->real()) {
        return Date{*seconds};
    }
    if (const auto* whole = stored->integer()) {
        const auto magnitude = static_cast<double>(whole->magnitude);
        return Date{whole->negative ? -magnitude : magnitude};
    }
    return std::nullopt;
}

void LinkFile::saveMostRecentLog() {
    if (mostRecentLog_) {
        defaults_.set(mostRecentLog_->timeIntervalSince1970, mostRecentLogKey);
    } else {
        defaults_.removeObject(mostRecentLogKey);
    }
}

void LinkFile::write(const std::string& text) {
    const std::string path = linksFileURL_.path();
    auto& files = FileManager::defaultManager();
    if (files.fileExists(path)) {
        if (auto handle = FileHandle::forWritingAtPath(path)) {
            appendAtEnd(*handle, text);
        }
    } else {
        files.writeAtomically(platform::dataFromString(text), path);
    }
}

} // namespace Urlstash
