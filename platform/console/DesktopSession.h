#pragma once

#include "platform/appkit/App.h"
#include "platform/console/LaunchRequest.h"

#include <memory>
#include <optional>
#include <string>

namespace platform {

// A program's run on the user's desktop, from launch until it terminates.
// Made by the desktop backend, which the start-up code knows only through
// this interface, so nothing outside the backend depends on its toolkit.
class DesktopSession {
public:
    virtual ~DesktopSession() = default;
    // Launches the program and runs it; returns its exit status. With a
    // copy of the program already running, hands `request` to it instead
    // and returns at once (0 once that copy took it).
    virtual int run(const AppLaunch& launch, const std::optional<LaunchRequest>& request) = 0;
};

// A session on the display the environment names; null, with `reason` set,
// when no desktop backend was built or the display cannot be reached.
// Call it once, on the main thread, before the first run-loop turn.
std::unique_ptr<DesktopSession> openDesktopSession(int& argc, char** argv, std::string& reason);

} // namespace platform
