#include "platform/foundation/FileManager.h"

#include "platform/foundation/FileErrors.h"
#include "platform/foundation/URL.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <signal.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Folders the programs create are the person's own, whatever the umask, as
// the XDG base-directory rules ask of the folders they create.
constexpr mode_t privateFolderMode = 0700;

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string joinPath(const std::string& folder, std::string_view name) {
    std::string joined = folder;
    if (joined.empty() || joined.back() != '/') {
        joined += '/';
    }
    joined += name;
    return joined;
}

std::string parentPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// An absolute path from an XDG variable, or nothing: the XDG rules ignore
// empty and relative values.
std::optional<std::string> xdgDirectory(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || value[0] != '/') {
        return std::nullopt;
    }
    return withoutTrailingSlashes(value);
}

bool writeAll(int fd, const Data& data) {
    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Temporary files are named ".<name>.tmp.<pid>.<counter>" beside their target,
// so that the writer of a stale one can be told from its name.
std::string temporaryPrefix(const std::string& path) { return "." + path.substr(path.find_last_of('/') + 1) + ".tmp."; }

// When the process with that number started, in seconds since 1970; nothing
// when it is gone or /proc cannot tell.
std::optional<double> processStartTime(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return std::nullopt;
    }
    // The fields after the command name, which is in parentheses and may hold
    // spaces; the start time (in clock ticks since boot) is the 20th of them.
    const auto close = line.rfind(')');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int index = 0; index < 20; ++index) {
        fields >> field;
    }
    std::ifstream system("/proc/stat");
    std::string key;
    double bootTime = -1;
    while (system >> key) {
        if (key == "btime") {
            system >> bootTime;
            break;
        }
    }
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    char* end = nullptr;
    const double ticks = std::strtod(field.c_str(), &end);
    if (!fields || end == field.c_str() || bootTime < 0 || ticksPerSecond <= 0) {
        return std::nullopt;
    }
    return bootTime + ticks / static_cast<double>(ticksPerSecond);
}

// Whether the process that wrote a temporary file is gone: no process has its
// number, or the one that has it now started after the file was last written
// (numbers are reused), so it cannot be the writer.
bool writerIsGone(pid_t pid, const struct stat& temporary) {
    if (::kill(pid, 0) != 0 && errno == ESRCH) {
        return true;
    }
    const auto started = processStartTime(pid);
    const double written = static_cast<double>(temporary.st_mtim.tv_sec) + temporary.st_mtim.tv_nsec / 1e9;
    return started && *started > written;
}

// Where a write to `path` goes: the file a symbolic link there names (through
// every link in a chain, each relative to its own folder), so that a link a
// dotfile manager keeps stays a link and its target gets the new contents.
std::string followingSymbolicLinks(std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        std::string target(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
            return path;
        }
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : joinPath(parentPath(path), target);
    }
    return path; // a loop: the rename replaces the link, as it would have
}

// Opens a fresh file beside the target that no one else can be using.
int createTemporaryFile(const std::string& path, std::string& temporaryPath) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = parentPath(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = joinPath(folder, temporaryPrefix(path) + std::to_string(::getpid()) + "." +
                                             std::to_string(counter.fetch_add(1)));
        // Private whatever the umask: these files hold a person's links and habits.
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

} // namespace

FileManager& FileManager::defaultManager() {
    static FileManager manager;
    return manager;
}

std::string FileManager::homeDirectoryPath() const {
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
        return withoutTrailingSlashes(home);
    }
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir) {
        return withoutTrailingSlashes(found->pw_dir);
    }
    return "/";
}

std::vector<URL> FileManager::urlsForDirectory(SearchPathDirectory directory, SearchPathDomain) const {
    switch (directory) {
    case SearchPathDirectory::applicationSupport:
        return {URL::fileURL(xdgDirectory("XDG_DATA_HOME").value_or(joinPath(homeDirectoryPath(), ".local/share")),
                             true)};
    case SearchPathDirectory::applications:
        return {URL::fileURL(joinPath(homeDirectoryPath(), "Applications"), true)};
    }
    return {};
}

std::optional<std::vector<URL>> FileManager::contentsOfDirectory(const URL& directory, std::string* error) const {
    if (!directory.isFileURL()) {
        if (error) {
            *error = "cannot list " + directory.absoluteString() + ": not a file URL";
        }
        return std::nullopt;
    }
    const std::string path = directory.path();
    DIR* folder = ::opendir(path.c_str());
    if (!folder) {
        reportFileError(error, "cannot list", path, errno);
        return std::nullopt;
    }
    std::vector<URL> items;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(folder);
        if (!entry) {
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            isDirectory = ::fstatat(::dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                          S_ISDIR(status.st_mode);
        }
        items.push_back(URL::fileURL(joinPath(path, name), isDirectory));
    }
    const int readError = errno;
    ::closedir(folder);
    if (readError != 0) {
        reportFileError(error, "cannot list", path, readError);
        return std::nullopt;
    }
    return items;
}

bool FileManager::createDirectory(const URL& url, bool withIntermediateDirectories, std::string* error) const {
    if (!url.isFileURL()) {
        if (error) {
            *error = "cannot create " + url.absoluteString() + ": not a file URL";
        }
        return false;
    }
    return createDirectory(url.path(), withIntermediateDirectories, error);
}

bool FileManager::createDirectory(const std::string& path, bool withIntermediateDirectories, std::string* error) const {
    if (path.empty()) {
        if (error) {
            *error = "cannot create a folder with an empty path";
        }
        return false;
    }
    if (!withIntermediateDirectories) {
        if (::mkdir(path.c_str(), privateFolderMode) != 0) {
            reportFileError(error, "cannot create", path, errno);
            return false;
        }
        return true;
    }
    // Each prefix ending before a "/", then the whole path.
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string prefix = path.substr(0, end);
        if (::mkdir(prefix.c_str(), privateFolderMode) != 0) {
            const int code = errno;
            bool isDirectory = false;
            if (code != EEXIST || !fileExists(prefix, isDirectory) || !isDirectory) {
                reportFileError(error, "cannot create", prefix, code == EEXIST ? ENOTDIR : code);
                return false;
            }
        }
        if (end == std::string::npos) {
            return true;
        }
    }
}

bool FileManager::fileExists(const std::string& path) const {
    bool isDirectory = false;
    return fileExists(path, isDirectory);
}

bool FileManager::fileExists(const std::string& path, bool& isDirectory) const {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return false;
    }
    isDirectory = S_ISDIR(status.st_mode);
    return true;
}

bool FileManager::writeAtomically(const Data& data, const URL& url, std::string* error) const {
    if (!url.isFileURL()) {
        if (error) {
            *error = "cannot write " + url.absoluteString() + ": not a file URL";
        }
        return false;
    }
    return writeAtomically(data, url.path(), error);
}

bool FileManager::writeAtomically(const Data& data, const std::string& requestedPath, std::string* error,
                                  Flush flush) const {
    const std::string path = followingSymbolicLinks(requestedPath);
    std::string temporaryPath;
    const int fd = createTemporaryFile(path, temporaryPath);
    if (fd < 0) {
        reportFileError(error, "cannot write", path, errno);
        return false;
    }
    // A replaced file keeps its permissions, but never write access for
    // others: with it, anyone could plant a link for its owner to open.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        ::fchmod(fd, existing.st_mode & 0755);
    }
    bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    int code = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temporaryPath.c_str());
        reportFileError(error, "cannot write", path, code);
        return false;
    }
    if (flush == Flush::contents) {
        return true;
    }
    // The rename itself is durable only once the folder is flushed.
    const int folder = ::open(parentPath(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

int FileManager::removeStaleTemporaryFiles(const std::string& path) const {
    const std::string folder = parentPath(path);
    const std::string prefix = temporaryPrefix(path);
    DIR* directory = ::opendir(folder.c_str());
    if (!directory) {
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(prefix)) {
            continue;
        }
        const std::string rest(name.substr(prefix.size()));
        char* end = nullptr;
        errno = 0;
        const long pid = std::strtol(rest.c_str(), &end, 10);
        if (errno != 0 || end == rest.c_str() || *end != '.' || pid <= 0) {
            continue;
        }
        const std::string temporary = joinPath(folder, name);
        struct stat status {};
        if (::lstat(temporary.c_str(), &status) == 0 && writerIsGone(static_cast<pid_t>(pid), status) &&
            ::unlink(temporary.c_str()) == 0) {
            ++removed;
        }
    }
    ::closedir(directory);
    return removed;
}

std::string FileManager::expandingTildeInPath(const std::string& path) const {
    if (path == "~") {
        return homeDirectoryPath();
    }
    if (path.starts_with("~/")) {
        return joinPath(homeDirectoryPath(), std::string_view(path).substr(2));
    }
    return path;
}

std::string FileManager::abbreviatingWithTildeInPath(const std::string& path) const {
    const std::string home = homeDirectoryPath();
    if (home == "/") {
        return path;
    }
    if (path == home || path == home + "/") {
        return "~";
    }
    if (path.starts_with(home + "/")) {
        return "~" + path.substr(home.size());
    }
    return path;
}

} // namespace platform
