#pragma once

#include "platform/qt/ApplicationNamer.h"
#include "platform/qt/SessionApplications.h"

#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace platform {

// The applications with windows on an X11 desktop and the one the user works
// in, as the window manager announces them on the root window.
class X11Applications final : public SessionApplications {
public:
    // On the X connection of the running Qt application; nothing when Qt
    // runs on another platform.
    static std::unique_ptr<X11Applications> connect();

    std::vector<RunningApplication> running() override;
    std::optional<RunningApplication> frontmost() override;
    std::optional<FrontWindow> frontWindow() override;

private:
    explicit X11Applications(xcb_connection_t* connection);

    std::vector<std::uint32_t> rootWindows(std::uint32_t property);
    std::optional<std::uint32_t> activeWindow();
    int processOf(std::uint32_t window);
    std::string classOf(std::uint32_t window);
    RunningApplication application(std::uint32_t window);

    xcb_connection_t* connection_;
    std::uint32_t root_ = 0;
    std::uint32_t activeWindowAtom_ = 0;
    std::uint32_t clientListAtom_ = 0;
    std::uint32_t processAtom_ = 0;
    std::uint32_t nameAtom_ = 0;
    std::uint32_t utf8StringAtom_ = 0;
    ApplicationNamer namer_;
};

} // namespace platform
