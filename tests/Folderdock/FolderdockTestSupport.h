#pragma once

#include "platform/foundation/FileManager.h"
#include "platform/foundation/URL.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace folderdock_test {

namespace fs = std::filesystem;

inline void makeFile(const fs::path& path, std::string_view text = {}, bool executable = false) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    if (executable) {
        fs::permissions(path, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::add);
    }
}

// What a test expects of each item of a folder, by file name, put in the
// order the file system lists the folder (which no rule fixes).
inline std::vector<std::string> inListingOrder(const fs::path& folder,
                                               const std::map<std::string, std::vector<std::string>>& byName) {
    std::vector<std::string> lines;
    const auto items =
        platform::FileManager::defaultManager().contentsOfDirectory(platform::URL::fileURL(folder.native(), true));
    for (const platform::URL& item : items.value_or(std::vector<platform::URL>{})) {
        if (auto found = byName.find(item.lastPathComponent()); found != byName.end()) {
            lines.insert(lines.end(), found->second.begin(), found->second.end());
        }
    }
    return lines;
}

// A subfolder no one can list, root included: its path is longer than the
// system accepts, though its parent's is not. The parent, several levels
// below `inside`, is where a test puts the rest of its folder.
class UnlistableFolder {
public:
    explicit UnlistableFolder(const fs::path& inside) : parent_(inside) {
        while (parent_.native().size() < 3860) {
            parent_ /= std::string(std::min<std::size_t>(200, 3880 - parent_.native().size()), 'p');
        }
        fs::create_directories(parent_);
        name_ = "Locked" + std::string(4100 - parent_.native().size() - 6, 'k');
        parentDescriptor_ = ::open(parent_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (parentDescriptor_ < 0 || ::mkdirat(parentDescriptor_, name_.c_str(), 0755) != 0) {
            throw std::runtime_error("cannot make the unlistable folder");
        }
    }
    // Removed through its parent: its own path is of no use to the system.
    ~UnlistableFolder() {
        ::unlinkat(parentDescriptor_, name_.c_str(), AT_REMOVEDIR);
        ::close(parentDescriptor_);
    }
    UnlistableFolder(const UnlistableFolder&) = delete;
    UnlistableFolder& operator=(const UnlistableFolder&) = delete;

    const fs::path& parent() const { return parent_; }
    const std::string& name() const { return name_; }

private:
    fs::path parent_;
    std::string name_;
    int parentDescriptor_ = -1;
};

} // namespace folderdock_test
