#include "platform/qt/browsers/FirefoxProfiles.h"

#include "platform/foundation/Environment.h"
#include "platform/qt/browsers/OpenFiles.h"

#include <fstream>
#include <string>
#include <string_view>

namespace platform {

namespace fs = std::filesystem;

namespace {

// The `Path=` of each [Profile…] group, made absolute where `IsRelative=1`.
std::vector<fs::path> listedProfiles(const fs::path& folder) {
    std::vector<fs::path> profiles;
    std::ifstream in(folder / "profiles.ini");
    std::string line;
    bool inProfile = false;
    std::string path;
    bool relative = true;
    const auto finish = [&] {
        if (inProfile && !path.empty()) {
            profiles.push_back(relative ? folder / path : fs::path(path));
        }
        path.clear();
        relative = true;
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.starts_with('[')) {
            finish();
            inProfile = line.starts_with("[Profile");
        } else if (line.starts_with("Path=")) {
            path = line.substr(5);
        } else if (line.starts_with("IsRelative=")) {
            relative = line.substr(11) != "0";
        }
    }
    finish();
    return profiles;
}

// The process a profile's `lock` link names ("127.0.1.1:+4242"), if it is alive.
bool heldByLiveProcess(const fs::path& processes, const fs::path& profile) {
    std::error_code error;
    const std::string target = fs::read_symlink(profile / "lock", error).string();
    const auto plus = target.rfind(":+");
    if (error || plus == std::string::npos || plus + 2 == target.size()) {
        return false;
    }
    const std::string process = target.substr(plus + 2);
    if (process.find_first_not_of("0123456789") != std::string::npos || process.size() > 9) {
        return false;
    }
    return fs::exists(processes / process, error);
}

} // namespace

std::optional<fs::path> FirefoxProfiles::ofProcess(const fs::path& processes, int processIdentifier) {
    const auto lock = OpenFiles::find(processes, processIdentifier,
                                      [](const fs::path& file) { return file.filename() == ".parentlock"; });
    return lock ? std::optional<fs::path>(lock->parent_path()) : std::nullopt;
}

std::vector<fs::path> FirefoxProfiles::running(const fs::path& processes, const std::vector<fs::path>& folders) {
    std::vector<fs::path> profiles;
    for (const auto& folder : folders) {
        for (const auto& profile : listedProfiles(folder)) {
            if (heldByLiveProcess(processes, profile)) {
                profiles.push_back(profile);
            }
        }
    }
    return profiles;
}

std::vector<fs::path> FirefoxProfiles::userFolders() {
    std::vector<fs::path> folders{fs::path(configHomeFolder()) / "mozilla" / "firefox"};
    const fs::path home = environmentValue("HOME");
    if (!home.empty()) {
        folders.push_back(home / ".mozilla" / "firefox");
        folders.push_back(home / "snap" / "firefox" / "common" / ".mozilla" / "firefox");
        folders.push_back(home / ".var" / "app" / "org.mozilla.firefox" / ".mozilla" / "firefox");
    }
    return folders;
}

} // namespace platform
