#pragma once

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
    enum class Status { missing, loaded, unreadable };

    struct Contents {
        Status status = Status::missing;
        PropertyListDictionary values;
        // Why an unreadable file could not be used.
        std::string error;
        // The version that was read (absent for a missing file).
        std::optional<FileStamp> stamp;
    };

    explicit DefaultsFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // Reads without side effects. A file that is not a binary property list
    // with a dictionary at its root, or cannot be read at all, is unreadable.
    Contents read() const;

    // Keeps an unreadable file by renaming it to "<file>.corrupt-<UTC time>"
    // (with a counter when that name is taken: nothing is ever replaced).
    // Returns the new path.
    std::optional<std::string> moveAside(std::string* error = nullptr) const;

    // What a program starts with: the file's values, or an empty domain when
    // there is no file or it had to be moved aside. `notice` tells why a
    // file was moved aside or could not be.
    Contents load(std::string* notice = nullptr) const;

    // Replaces the file atomically, creating its folder when needed.
    bool write(const PropertyListDictionary& values, std::string* error = nullptr) const;

    // Loads (moving an unreadable file aside, and saying so in `notice`),
    // applies `change` and writes the result back at once. `change` returns
    // false to leave the file as it is (and reports in `error`).
    bool update(const std::function<bool(PropertyListDictionary&, std::string* error)>& change,
                std::string* error = nullptr, std::string* notice = nullptr) const;

    bool remove(std::string* error = nullptr) const;

private:
    std::string path_;
};

} // namespace platform
