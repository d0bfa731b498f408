#pragma once

#include "platform/console/LaunchRequest.h"
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
    // --drop-url URL [TITLE], --drop-file PATH or --open-url URL: for the
    // program on the desktop (the copy already running, if there is one).
    std::optional<LaunchRequest> request;

    // Nothing (and the reason in `error`) for an unknown option, a bad date,
    // a request without its argument, or more than one request.
    static std::optional<LaunchOptions> parse(const std::vector<std::string>& arguments, std::string* error = nullptr);
};

} // namespace platform
