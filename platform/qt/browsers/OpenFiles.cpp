#include "platform/qt/browsers/OpenFiles.h"

#include <string>

namespace platform {

namespace fs = std::filesystem;

std::optional<fs::path> OpenFiles::find(const fs::path& processes, int processIdentifier,
                                        const std::function<bool(const fs::path&)>& matches) {
    if (processIdentifier <= 0) {
        return std::nullopt;
    }
    std::error_code error;
    for (fs::directory_iterator it(processes / std::to_string(processIdentifier) / "fd", error), end;
         !error && it != end; it.increment(error)) {
        std::error_code unreadable;
        const fs::path file = fs::read_symlink(it->path(), unreadable);
        if (!unreadable && matches(file)) {
            return file;
        }
    }
    return std::nullopt;
}

} // namespace platform
