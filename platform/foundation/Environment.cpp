#include "platform/foundation/Environment.h"

#include "platform/foundation/FileManager.h"

#include <cstdlib>

namespace platform {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string configHomeFolder() {
    std::string configHome = environmentValue("XDG_CONFIG_HOME");
    if (configHome.starts_with('/')) {
        while (configHome.size() > 1 && configHome.back() == '/') {
            configHome.pop_back();
        }
        return configHome;
    }
    return FileManager::defaultManager().homeDirectoryPath() + "/.config";
}

} // namespace platform
