#pragma once

#include "platform/foundation/Date.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// A program's command line.
struct LaunchOptions {
    bool headless = false;
    bool json = false;
    bool help = false;
    // Set by --clock: the virtual clock starts then.
    std::optional<Date> clockStart;

    // Nothing (and the reason in `error`) for an unknown option or a bad date.
    static std::optional<LaunchOptions> parse(const std::vector<std::string>& arguments, std::string* error = nullptr);
};

} // namespace platform
