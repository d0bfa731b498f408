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

DefaultsFile::Contents failed(DefaultsFile::Status status, std::string reason,
                              std::optional<FileStamp> stamp = std::nullopt) {
    DefaultsFile::Contents contents;
    contents.status = status;
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
    using enum Status;
    // Non-blocking, so that a FIFO at the path is seen for what it is
    // instead of waiting for a writer.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return Contents{};
        }
        return failed(unreadable, std::strerror(errno));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int code = errno;
        ::close(fd);
        return failed(unreadable, std::strerror(code));
    }
    if (!S_ISREG(status.st_mode) || status.st_size > maximumFileSize) {
        ::close(fd);
        return failed(unreadable, S_ISREG(status.st_mode) ? "file too large" : "not a regular file");
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
            return failed(unreadable, std::strerror(code), stamp);
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
        return failed(corrupt, "not a binary property list (" + parseError + ")", stamp);
    }
    if (!root->dictionary()) {
        return failed(corrupt, std::string("the root is a ") + kindName(root->kind()) + ", not a dictionary", stamp);
    }
    Contents contents;
    contents.status = loaded;
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
            // Kept for its owner alone, however the file came to be open to others.
            struct stat status {};
            if (::stat(candidate.c_str(), &status) == 0) {
                ::chmod(candidate.c_str(), status.st_mode & 0600);
            }
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

std::optional<std::string> DefaultsFile::keepAside(const std::string& key, const PropertyList& value,
                                                   std::string* error) const {
    constexpr std::string_view suffix = ".plist";
    std::string stem = path_.ends_with(suffix) ? path_.substr(0, path_.size() - suffix.size()) : path_;
    // The key becomes part of a domain name: only the characters domain names take.
    stem += '.';
    for (const char c : key) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '-' || c == '_';
        stem += plain ? c : '_';
    }
    stem += '.' + utcTimestamp();
    const Data bytes = BinaryPropertyList::write(PropertyList(PropertyListDictionary{{key, value}}));
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const std::string candidate = (attempt == 1 ? stem : stem + "-" + std::to_string(attempt)) + std::string(suffix);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        if (fd < 0) {
            if (error) {
                *error = "cannot keep " + key + " aside in " + candidate + ": " + std::strerror(errno);
            }
            return std::nullopt;
        }
        ::close(fd);
        // Written whole under the name just claimed, so a crash leaves the old value in place.
        if (!FileManager::defaultManager().writeAtomically(bytes, candidate, error)) {
            ::unlink(candidate.c_str());
            return std::nullopt;
        }
        return candidate;
    }
    if (error) {
        *error = "cannot keep " + key + " aside: every name is taken";
    }
    return std::nullopt;
}

DefaultsFile::Contents DefaultsFile::load(std::string* notice) const {
    Contents contents = read();
    if (contents.status == Status::unreadable) {
        if (notice) {
            *notice = path_ + " cannot be read (" + contents.error + "); it is left as it is and nothing is written to it";
        }
        return contents;
    }
    if (contents.status != Status::corrupt) {
        return contents;
    }
    std::string moveError;
    if (auto movedTo = moveAside(&moveError)) {
        if (notice) {
            *notice = path_ + " is corrupt (" + contents.error + "); moved aside to " + *movedTo;
        }
        return Contents{};
    }
    if (notice) {
        *notice = path_ + " is corrupt (" + contents.error + ") and " + moveError;
    }
    return contents;
}

FileLock DefaultsFile::lockForWriting() const {
    const auto slash = path_.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        FileManager::defaultManager().createDirectory(path_.substr(0, slash), true);
    }
    // A lock that cannot be had (a read-only folder) leaves the write to
    // fail, or succeed, on its own: the write says why.
    return FileLock(path_ + ".lock");
}

bool DefaultsFile::write(const PropertyListDictionary& values, std::string* error, FileManager::Flush flush) const {
    struct stat existing {};
    if (::stat(path_.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        if (error) {
            *error = "cannot write " + path_ + ": not a regular file";
        }
        return false;
    }
    FileManager& files = FileManager::defaultManager();
    const auto slash = path_.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !files.createDirectory(path_.substr(0, slash), true, error)) {
        return false;
    }
    return files.writeAtomically(BinaryPropertyList::write(PropertyList(values)), path_, error, flush);
}

bool DefaultsFile::update(const std::function<bool(PropertyListDictionary&, std::string*)>& change,
                          std::string* error, std::string* notice) const {
    const FileLock lock = lockForWriting();
    std::string loadNotice;
    Contents contents = load(&loadNotice);
    if (contents.status == Status::unreadable || contents.status == Status::corrupt) {
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

void DefaultsFile::removeStaleTemporaryFiles() const { FileManager::defaultManager().removeStaleTemporaryFiles(path_); }

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
