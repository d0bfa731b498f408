#include "Urlstash/LinkFile.h"

#include "Urlstash/LinkFileFormat.h"

#include "platform/foundation/FileHandle.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/SaveFailures.h"
#include "platform/time/Calendar.h"

namespace Urlstash {

using platform::Date;
using platform::FileHandle;
using platform::FileManager;

namespace {

// Appends the text whole and on disk, or not at all.
bool appendAtEnd(FileHandle& handle, const std::string& text, std::string* error) {
    // After a failed seek the handle would still be at the start of the file.
    const auto end = handle.seekToEndOfFile(error);
    if (!end) {
        return false;
    }
    if (handle.write(platform::dataFromString(text), error) && handle.synchronize(error)) {
        return true;
    }
    // A disk that filled up may have taken part of the text: it goes, so that
    // the file still ends on a whole line and the next text starts its own.
    handle.truncate(*end);
    return false;
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

bool LinkFile::logLink(const platform::URL& url, const std::optional<std::string>& title) {
    const std::string line = LinkFileFormat::linkLine(url, title);
    const std::string path = linksFileURL_.path();
    auto& files = FileManager::defaultManager();
    std::string error;
    if (!files.fileExists(path)) {
        // The file went away while the program ran: it starts again with
        // this line, under no heading, and the day's later links follow it.
        return recordWrite(files.writeAtomically(platform::dataFromString(line), path, &error), error);
    }
    // Opened before the heading is written, so that a file that takes no
    // writes gets neither the heading nor the line.
    auto handle = FileHandle::forWritingAtPath(path, &error);
    if (!handle) {
        return recordWrite(false, error);
    }
    if (!mostRecentLog_ || !platform::Calendar::current().isDate(*mostRecentLog_, Date::now())) {
        if (!logDate()) {
            return false;
        }
    }
    return recordWrite(appendAtEnd(*handle, line, &error), error);
}

bool LinkFile::logDate() {
    mostRecentLog_ = Date::now();
    saveMostRecentLog();
    return write(LinkFileFormat::dateHeading(*mostRecentLog_));
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

bool LinkFile::write(const std::string& text) {
    const std::string path = linksFileURL_.path();
    auto& files = FileManager::defaultManager();
    std::string error;
    if (!files.fileExists(path)) {
        return recordWrite(files.writeAtomically(platform::dataFromString(text), path, &error), error);
    }
    auto handle = FileHandle::forWritingAtPath(path, &error);
    return recordWrite(handle && appendAtEnd(*handle, text, &error), error);
}

bool LinkFile::recordWrite(bool written, const std::string& error) const {
    if (written) {
        platform::SaveFailures::recordSuccess(linksFileURL_.path());
    } else {
        platform::SaveFailures::recordFailure(linksFileURL_.path(), "Urlstash: " + error);
    }
    return written;
}

} // namespace Urlstash
