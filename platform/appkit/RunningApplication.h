#pragma once

#include "platform/foundation/URL.h"

#include <optional>
#include <string>

namespace platform {

// Another application (or this one) as the workspace reports it.
struct RunningApplication {
    std::optional<std::string> localizedName;
    std::optional<URL> bundleURL;
    std::optional<std::string> bundleIdentifier;
    int processIdentifier = 0;
};

} // namespace platform
