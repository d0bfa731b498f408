#pragma once

#include "platform/appkit/RunningApplication.h"
#include "platform/qt/ApplicationNamer.h"

#include <cstdint>
#include <optional>
#include <vector>

struct xcb_connection_t;

namespace platform {

// The applications with windows on an X11 desktop and the one the user works
// in, as the window manager announces them on the root window. Other
// desktops (Wayland without XWayland) offer no such list: there are none,
// which standard error says once.
class X11Applications {
public:
    // Uses the X connection of the running Qt application, if it has one.
    X11Applications();

    std::vector<RunningApplication> running();
    std::optional<RunningApplication> frontmost();

private:
    bool available();
    std::vector<std::uint32_t> rootWindows(std::uint32_t property);
    RunningApplication application(std::uint32_t window);

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::uint32_t activeWindowAtom_ = 0;
    std::uint32_t clientListAtom_ = 0;
    std::uint32_t processAtom_ = 0;
    bool toldUnavailable_ = false;
    ApplicationNamer namer_;
};

} // namespace platform
