#pragma once

#include "platform/foundation/Data.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class URL;

enum class SearchPathDirectory {
    applicationSupport, // ${XDG_DATA_HOME:-~/.local/share}
    applications,       // ~/Applications
};

enum class SearchPathDomain { user };

// The file system as the programs use it. Failures never throw: each
// operation reports them through its result and, when given, `error`
// (a readable sentence naming the path and the reason).
class FileManager {
public:
    static FileManager& defaultManager();

    // $HOME, or the password database's entry when HOME is unset or empty.
    std::string homeDirectoryPath() const;

    std::vector<URL> urlsForDirectory(SearchPathDirectory directory, SearchPathDomain domain) const;

    // The folder's items, shallow, hidden ones included, in the order the file
    // system yields them. An item is a directory URL (ending in "/") exactly
    // when it is a directory itself: symbolic links are not followed.
    std::optional<std::vector<URL>> contentsOfDirectory(const URL& directory, std::string* error = nullptr) const;

    // With intermediates, missing parents are created and an existing folder
    // is no error; without, the parent must exist and the folder must not.
    // Created folders are private to the user (0700) whatever the umask.
    bool createDirectory(const URL& url, bool withIntermediateDirectories, std::string* error = nullptr) const;
    bool createDirectory(const std::string& path, bool withIntermediateDirectories, std::string* error = nullptr) const;

    // Follows symbolic links: a dangling link does not exist.
    bool fileExists(const std::string& path) const;
    bool fileExists(const std::string& path, bool& isDirectory) const;

    // How far an atomic write is flushed before it returns. Both flush the
    // bytes before the rename, so that a crash never leaves a name without
    // its contents. `contentsAndName` also flushes the folder, so that the
    // new version is the one found after a power cut; `contents` leaves the
    // rename to the file system's next commit (a few seconds), for writes
    // that are delayed by as much anyway (coalesced defaults), and spares
    // the wait for the disk that flushing the folder costs.
    enum class Flush { contentsAndName, contents };

    // Replaces the whole file: the bytes go to a temporary file in the same
    // folder, are flushed to disk and renamed over the target. A crash at any
    // moment leaves the old file or the new one. A new file is private to the
    // user (0600); a replaced one keeps its permissions less write access for
    // others. A symbolic link at the path stays: the file it names is the one
    // replaced.
    bool writeAtomically(const Data& data, const URL& url, std::string* error = nullptr) const;
    bool writeAtomically(const Data& data, const std::string& path, std::string* error = nullptr,
                         Flush flush = Flush::contentsAndName) const;
    // Removes the temporary files of atomic writes to `path` whose writing
    // process is gone (killed before its rename); returns how many.
    int removeStaleTemporaryFiles(const std::string& path) const;

    // The path with a leading "~" or "~/" replaced by the home folder, and the
    // reverse: a path inside the home folder starting with "~".
    std::string expandingTildeInPath(const std::string& path) const;
    std::string abbreviatingWithTildeInPath(const std::string& path) const;

private:
    FileManager() = default;
};

} // namespace platform
