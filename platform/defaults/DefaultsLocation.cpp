#include "platform/defaults/DefaultsLocation.h"

#include "platform/foundation/Environment.h"

namespace platform {

std::string DefaultsLocation::folder() {
    const std::string configHome = configHomeFolder();
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
