#pragma once

#include <string>

namespace platform {

// An exclusive advisory lock (flock) on a lock file, held until the object
// goes. Every process that agrees to take the same lock file is kept out
// while it is held; the lock goes with the process, so a crash never leaves
// it taken. The lock file is created (mode 0600) and never removed: removing
// it would let two processes hold "the" lock on two different files.
class FileLock {
public:
    enum class Wait { untilFree, never };

    // Takes the lock on `lockPath`. With Wait::never, isHeld() says whether
    // it was free; `error` says why the file could not be opened at all.
    explicit FileLock(const std::string& lockPath, Wait wait = Wait::untilFree, std::string* error = nullptr);
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool isHeld() const { return descriptor_ >= 0; }

private:
    void release();

    int descriptor_ = -1;
};

} // namespace platform
