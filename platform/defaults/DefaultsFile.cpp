#include "platform/defaults/DefaultsFile.h"

#include "platform/foundation/FileManager.h"
#include "platform/plist/BinaryPropertyList.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Far beyond any real defaults file; a bigger one is not read into memory.
constexpr std::int64_t maximumFileSize = 256 * 1024 * 1024;

FileStamp stampOf(const struct stat& status) {
    return FileStamp{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
                     static_cast<std::int64_t>(status.st_size), static_cast<std::int64_t>(status.st_mtim.tv_sec),
                     static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
}

DefaultsFile::Contents unreadable(std::string reason, std::optional<FileStamp> stamp = std::nullopt) {
    DefaultsFile::Contents contents;
    contents.status = DefaultsFile::Status::unreadable;
    contents.error = std::move(reason);
    contents.stamp = stamp;
    return contents;
}

std::string utcTimestamp() {
    const auto seconds = static_cast<std::time_t>(std::floor(Date::now().timeIntervalSince1970));
    std::tm parts{};
    ::gmtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return text;
}

// Renames without ever replacing an existing file.
int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // File systems without that flag: a hard link fails rather than replace.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    return errno;
}

} // namespace

std::optional<FileStamp> FileStamp::of(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return stampOf(status);
}

DefaultsFile::Contents DefaultsFile::read() const {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return Contents{};
        }
        return unreadable(std::strerror(errno));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int code = errno;
        ::close(fd);
        return unreadable(std::strerror(code));
    }
    if (!S_ISREG(status.st_mode) || status.st_size > maximumFileSize) {
        ::close(fd);
        return unreadable(S_ISREG(status.st_mode) ? "file too large" : "not a regular file");
    }
    const FileStamp stamp = stampOf(status);
    Data bytes(static_cast<std::size_t>(status.st_size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int code = errno;
            ::close(fd);
            return unreadable(std::strerror(code), stamp);
        }
        if (n == 0) {
            bytes.resize(filled); // shrank while being read; the parse decides
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);

    std::string parseError;
    auto root = BinaryPropertyList::read(bytes, &parseError);
    if (!root) {
        return unreadable("not a binary property list (" + parseError + ")", stamp);
    }
    if (!root->dictionary()) {
        return unreadable(std::string("the root is a ") + kindName(root->kind()) + ", not a dictionary", stamp);
    }
    Contents contents;
    contents.status = Status::loaded;
    contents.values = std::move(*root->dictionary());
    contents.stamp = stamp;
    return contents;
}

std::optional<std::string> DefaultsFile::moveAside(std::string* error) const {
    const std::string base = path_ + ".corrupt-" + utcTimestamp();
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const std::string candidate = attempt == 1 ? base : base + "-" + std::to_string(attempt);
        const int code = renameNoReplace(path_, candidate);
        if (code == 0) {
            return candidate;
        }
        if (code != EEXIST) {
            if (error) {
                *error = "cannot move " + path_ + " aside: " + std::strerror(code);
            }
            return std::nullopt;
        }
    }
    if (error) {
        *error = "cannot move " + path_ + " aside: every name is taken";
    }
    return std::nullopt;
}

DefaultsFile::Contents DefaultsFile::load(std::string* notice) const {
    Contents contents = read();
    if (contents.status != Status::unreadable) {
        return contents;
    }
    std::string moveError;
    if (auto movedTo = moveAside(&moveError)) {
        if (notice) {
            *notice = path_ + " is unreadable (" + contents.error + "); moved aside to " + *movedTo;
        }
        return Contents{};
    }
    if (notice) {
        *notice = path_ + " is unreadable (" + contents.error + ") and " + moveError;
    }
    return contents;
}

bool DefaultsFile::write(const PropertyListDictionary& values, std::string* error) const {
    FileManager& files = FileManager::defaultManager();
    const auto slash = path_.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !files.createDirectory(path_.substr(0, slash), true, error)) {
        return false;
    }
    return files.writeAtomically(BinaryPropertyList::write(PropertyList(values)), path_, error);
}

bool DefaultsFile::update(const std::function<bool(PropertyListDictionary&, std::string*)>& change,
                          std::string* error, std::string* notice) const {
    std::string loadNotice;
    Contents contents = load(&loadNotice);
    if (contents.status == Status::unreadable) {
        if (error) {
            *error = loadNotice;
        }
        return false;
    }
    if (notice) {
        *notice = loadNotice;
    }
    if (!change(contents.values, error)) {
        return false;
    }
    return write(contents.values, error);
}

bool DefaultsFile::remove(std::string* error) const {
    if (::unlink(path_.c_str()) != 0) {
        if (error) {
            *error = "cannot remove " + path_ + ": " + std::strerror(errno);
        }
        return false;
    }
    return true;
}

} // namespace platform
