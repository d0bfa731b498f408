#pragma once

#include "platform/plist/PropertyList.h"

#include <string>
#include <string_view>

namespace platform {

// Writes the global domain, for the platform's own services (the appearance
// setting "AppleInterfaceStyle"); programs only read it through their user
// defaults. Every change goes to the file at once, atomically; an unreadable
// file is moved aside first.
class GlobalDomainWriter {
public:
    // The file of the global domain as the environment names it now.
    GlobalDomainWriter();

    bool set(const PropertyList& value, std::string_view key, std::string* error = nullptr) const;
    bool removeObject(std::string_view key, std::string* error = nullptr) const;

private:
    std::string path_;
};

} // namespace platform
