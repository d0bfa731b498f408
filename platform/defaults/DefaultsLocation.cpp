#include "platform/defaults/DefaultsLocation.h"

#include "platform/foundation/FileManager.h"

#include <cstdlib>

namespace platform {

std::string DefaultsLocation::folder() {
    std::string configHome;
    // The XDG rules ignore empty and relative values.
    if (const char* value = std::getenv("XDG_CONFIG_HOME"); value && value[0] == '/') {
        configHome = value;
        while (configHome.size() > 1 && configHome.back() == '/') {
            configHome.pop_back();
        }
    } else {
        configHome = FileManager::defaultManager().homeDirectoryPath() + "/.config";
    }
    return (configHome == "/" ? "" : configHome) + "/menulets";
}

std::string DefaultsLocation::fileForDomain(std::string_view domain) {
    if (domain == globalDomainName) {
        return folder() + "/" + std::string(globalDomainFileName);
    }
    return folder() + "/" + std::string(domain) + std::string(fileExtension);
}

bool DefaultsLocation::isValidDomainName(std::string_view domain) {
    return !domain.empty() && domain.front() != '.' && domain.find('/') == std::string_view::npos &&
           domain.find('\0') == std::string_view::npos;
}

} // namespace platform
