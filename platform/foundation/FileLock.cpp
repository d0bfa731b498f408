#include "platform/foundation/FileLock.h"

#include "platform/foundation/FileErrors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace platform {

FileLock::FileLock(const std::string& lockPath, Wait wait, std::string* error) {
    // Close-on-exec: a program started while the lock is held must not keep
    // it alive after this process has gone.
    int descriptor;
    do {
        descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        reportFileError(error, "cannot lock", lockPath, errno);
        return;
    }
    const int operation = LOCK_EX | (wait == Wait::never ? LOCK_NB : 0);
    int result;
    do {
        result = ::flock(descriptor, operation);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        if (errno != EWOULDBLOCK) {
            reportFileError(error, "cannot lock", lockPath, errno);
        }
        ::close(descriptor);
        return;
    }
    descriptor_ = descriptor;
}

FileLock::~FileLock() { release(); }

FileLock::FileLock(FileLock&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

void FileLock::release() {
    if (descriptor_ >= 0) {
        ::close(descriptor_); // closing the only descriptor releases the lock
        descriptor_ = -1;
    }
}

} // namespace platform
