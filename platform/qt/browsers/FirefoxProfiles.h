#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace platform {

// Where a running Firefox keeps its profile: the folder its session store
// is in.
class FirefoxProfiles {
public:
    // The profile a Firefox process holds open (its `.parentlock`), seen
    // through `processes` (/proc); nothing for a process of another user or
    // one that holds none.
    static std::optional<std::filesystem::path> ofProcess(const std::filesystem::path& processes,
                                                          int processIdentifier);

    // The profiles listed in the profiles.ini of these folders that a running
    // Firefox holds: their `lock` link names a process that is alive.
    static std::vector<std::filesystem::path> running(const std::filesystem::path& processes,
                                                      const std::vector<std::filesystem::path>& folders);

    // The folders Firefox keeps its profiles.ini in on Linux: ~/.mozilla
    // (and its XDG place), the snap's and the Flatpak's.
    static std::vector<std::filesystem::path> userFolders();
};

} // namespace platform
