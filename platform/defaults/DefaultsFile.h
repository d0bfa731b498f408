#pragma once

#include "platform/foundation/FileLock.h"
#include "platform/foundation/FileManager.h"
#include "platform/plist/PropertyList.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {

// Identifies one version of a file cheaply: an atomic replace gives a new
// inode, an edit in place a new size or modification time.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    static std::optional<FileStamp> of(const std::string& path);
    bool operator==(const FileStamp&) const = default;
};

// One domain's file: a binary property list whose root is a dictionary.
class DefaultsFile {
public:
    // A corrupt file was read and is not a property list with a dictionary at
    // its root: it may be moved aside. An unreadable one could not be read at
    // all (no permission, not a regular file, too large): it is left alone.
    enum class Status { missing, loaded, corrupt, unreadable };

    struct Contents {
        Status status = Status::missing;
        PropertyListDictionary values;
        // Why a corrupt or unreadable file could not be used.
        std::string error;
        // The version that was read (absent for a missing file).
        std::optional<FileStamp> stamp;
    };

    explicit DefaultsFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // Reads without side effects, and without blocking on special files.
    Contents read() const;

    // Keeps a corrupt file by renaming it to "<file>.corrupt-<UTC time>"
    // (with a counter when that name is taken: nothing is ever replaced).
    // Returns the new path.
    std::optional<std::string> moveAside(std::string* error = nullptr) const;

    // Copies one value of the domain to a new file beside it, as a domain of
    // its own ("<domain>.<key>.<UTC time>", holding just that key), never
    // replacing a file. Returns the new file's path.
    std::optional<std::string> keepAside(const std::string& key, const PropertyList& value,
                                         std::string* error = nullptr) const;

    // What a program starts with: the file's values, or an empty domain when
    // there is no file, it is unreadable, or it was corrupt and moved aside.
    // The status stays corrupt or unreadable while such a file is still there,
    // so that nothing replaces it. `notice` says what happened to a bad file.
    Contents load(std::string* notice = nullptr) const;

    // The lock every writer of this file holds from the read it merges into
    // to the rename that replaces it, so that no writer replaces the file
    // between another's read and rename and loses what that one wrote. It is
    // a file beside this one ("<file>.lock"); the folder is created for it.
    FileLock lockForWriting() const;

    // Replaces the file atomically, creating its folder when needed. Anything
    // at the path that is not a regular file is left alone and refused.
    bool write(const PropertyListDictionary& values, std::string* error = nullptr,
               FileManager::Flush flush = FileManager::Flush::contentsAndName) const;

    // Removes temporary files that writes of this file left behind when their
    // process died before the rename.
    void removeStaleTemporaryFiles() const;

    // Under the write lock: loads (moving a corrupt file aside, and saying so
    // in `notice`), applies `change` and writes the result back at once. `change` returns
    // false to leave the file as it is (and reports in `error`).
    bool update(const std::function<bool(PropertyListDictionary&, std::string* error)>& change,
                std::string* error = nullptr, std::string* notice = nullptr) const;

    bool remove(std::string* error = nullptr) const;

private:
    std::string path_;
};

} // namespace platform
