#pragma once

#include "platform/foundation/Data.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace platform {

class URL;

// An open file for writing. Opening never creates a file: a missing file,
// a folder or a file without write permission fails with an error.
class FileHandle {
public:
    static std::unique_ptr<FileHandle> forWritingTo(const URL& url, std::string* error = nullptr);
    static std::unique_ptr<FileHandle> forWritingAtPath(const std::string& path, std::string* error = nullptr);

    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    // Moves to the end of the file; returns the new offset.
    std::optional<std::uint64_t> seekToEndOfFile(std::string* error = nullptr);
    // Writes all the bytes at the current offset.
    bool write(const Data& data, std::string* error = nullptr);
    // Cuts the file off at `offset` and moves there.
    bool truncate(std::uint64_t offset, std::string* error = nullptr);
    // Returns once what was written is on the disk.
    bool synchronize(std::string* error = nullptr);
    // Closing twice is harmless; later writes fail.
    void close();

private:
    FileHandle(int descriptor, std::string path) : descriptor_(descriptor), path_(std::move(path)) {}

    int descriptor_;
    std::string path_;
};

} // namespace platform
