#include "platform/foundation/FileHandle.h"

#include "platform/foundation/FileErrors.h"
#include "platform/foundation/URL.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::unique_ptr<FileHandle> FileHandle::forWritingTo(const URL& url, std::string* error) {
    if (!url.isFileURL()) {
        if (error) {
            *error = "cannot open " + url.absoluteString() + ": not a file URL";
        }
        return nullptr;
    }
    return forWritingAtPath(url.path(), error);
}

std::unique_ptr<FileHandle> FileHandle::forWritingAtPath(const std::string& path, std::string* error) {
    int descriptor;
    // Non-blocking, so that a FIFO without a reader fails at once instead of
    // waiting; only regular files are written, so devices and FIFOs are refused.
    do {
        descriptor = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) {
        reportFileError(error, "cannot open", path, errno);
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        if (error) {
            *error = "cannot open " + path + ": not a regular file";
        }
        return nullptr;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return std::unique_ptr<FileHandle>(new FileHandle(descriptor, path));
}

FileHandle::~FileHandle() { close(); }

std::optional<std::uint64_t> FileHandle::seekToEndOfFile(std::string* error) {
    if (descriptor_ < 0) {
        reportFileError(error, "cannot seek in", path_, EBADF);
        return std::nullopt;
    }
    const off_t offset = ::lseek(descriptor_, 0, SEEK_END);
    if (offset < 0) {
        reportFileError(error, "cannot seek in", path_, errno);
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(offset);
}

bool FileHandle::write(const Data& data, std::string* error) {
    if (descriptor_ < 0) {
        reportFileError(error, "cannot write", path_, EBADF);
        return false;
    }
    std::size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(descriptor_, data.data() + written, data.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            reportFileError(error, "cannot write", path_, errno);
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

bool FileHandle::truncate(std::uint64_t offset, std::string* error) {
    int result;
    do {
        result = ::ftruncate(descriptor_, static_cast<off_t>(offset));
    } while (result != 0 && errno == EINTR);
    if (result != 0 || ::lseek(descriptor_, static_cast<off_t>(offset), SEEK_SET) < 0) {
        reportFileError(error, "cannot truncate", path_, errno);
        return false;
    }
    return true;
}

bool FileHandle::synchronize(std::string* error) {
    if (::fsync(descriptor_) != 0) {
        reportFileError(error, "cannot write", path_, errno);
        return false;
    }
    return true;
}

void FileHandle::close() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

} // namespace platform
