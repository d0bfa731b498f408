#include "Folderdock/AppEntries.h"

#include "Folderdock/DesktopEntry.h"

#include "platform/foundation/FileManager.h"

#include <sys/stat.h>

namespace Folderdock {

using platform::URL;

namespace {

AppEntry application(const URL& item, std::string title) {
    return AppEntry{AppEntry::Kind::application, std::move(title), item, false};
}

std::string titleWithoutExtension(const URL& item) { return item.deletingPathExtension().lastPathComponent(); }

// Only regular files are read: opening a pipe that happens to carry the name
// would wait forever.
std::optional<struct stat> regularFileStatus(const URL& item) {
    struct stat status {};
    if (::stat(item.path().c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return status;
}

std::optional<AppEntry> desktopApplication(const URL& item, std::string_view locale) {
    if (!regularFileStatus(item)) {
        return std::nullopt;
    }
    // A file that cannot be read is still offered under its file name: the
    // desktop may well be able to start it.
    auto entry = DesktopEntry::read(item.path());
    if (entry && !entry->isShown(DesktopEntry::currentDesktops())) {
        return std::nullopt;
    }
    auto name = entry ? entry->name(locale) : std::nullopt;
    return application(item, name && !name->empty() ? *name : titleWithoutExtension(item));
}

std::optional<AppEntry> appImage(const URL& item) {
    auto status = regularFileStatus(item);
    if (!status || (status->st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) == 0) {
        return std::nullopt;
    }
    return application(item, titleWithoutExtension(item));
}

// The folder a symbolic link leads to, shown under the link's name, unless
// it is one the link was reached through (by device and inode, along the
// path the menus took to it): that link would lead round for ever.
std::optional<AppEntry> linkedFolder(const URL& item) {
    const std::string path = item.path();
    struct stat link {};
    struct stat target {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode) || ::stat(path.c_str(), &target) != 0 ||
        !S_ISDIR(target.st_mode)) {
        return std::nullopt;
    }
    std::string above = path;
    while (above.size() > 1 && above.back() == '/') {
        above.pop_back();
    }
    while (above != "/") {
        const auto slash = above.find_last_of('/');
        above = slash == 0 || slash == std::string::npos ? "/" : above.substr(0, slash);
        struct stat folder {};
        if (::stat(above.c_str(), &folder) == 0 && folder.st_dev == target.st_dev && folder.st_ino == target.st_ino) {
            return std::nullopt;
        }
    }
    return AppEntry{AppEntry::Kind::folder, item.lastPathComponent(), URL::fileURL(path, true), false};
}

} // namespace

std::optional<AppEntry> entryFor(const URL& item, std::string_view locale) {
    const std::string extension = item.pathExtension();
    if (item.hasDirectoryPath() && extension != "app") {
        return AppEntry{AppEntry::Kind::folder, item.lastPathComponent(), item, false};
    }
    if (extension == "app") {
        return application(item, titleWithoutExtension(item));
    }
    if (item.hasDirectoryPath()) {
        return std::nullopt;
    }
    if (auto folder = linkedFolder(item)) {
        return folder;
    }
    if (extension == "desktop") {
        return desktopApplication(item, locale);
    }
    if (extension == "AppImage") {
        return appImage(item);
    }
    return std::nullopt;
}

bool isRunning(const URL& application, const std::vector<platform::RunningApplication>& runningApplications) {
    for (const auto& running : runningApplications) {
        if (running.bundleURL && *running.bundleURL == application) {
            return true;
        }
    }
    return false;
}

std::vector<AppEntry> appEntries(const URL& folder, const std::vector<platform::RunningApplication>& runningApplications) {
    std::vector<AppEntry> entries;
    const auto items = platform::FileManager::defaultManager().contentsOfDirectory(folder);
    if (!items) {
        return entries;
    }
    const std::string locale = DesktopEntry::messagesLocale();
    for (const URL& item : *items) {
        if (auto entry = entryFor(item, locale)) {
            if (entry->kind == AppEntry::Kind::application) {
                entry->running = isRunning(entry->url, runningApplications);
            }
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

} // namespace Folderdock
