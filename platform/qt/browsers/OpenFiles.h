#pragma once

#include <filesystem>
#include <functional>
#include <optional>

namespace platform {

// The files a process holds open, as /proc shows them to its own user.
struct OpenFiles {
    // The first that `matches`; nothing for a process of another user, one
    // that ended, or one that holds no such file.
    static std::optional<std::filesystem::path> find(const std::filesystem::path& processes, int processIdentifier,
                                                     const std::function<bool(const std::filesystem::path&)>& matches);
};

} // namespace platform
