#pragma once

#include "platform/qt/ReportedFrontWindowApplications.h"

#include <memory>
#include <string>

namespace platform {

// The window in front in a GNOME session on Wayland, where GNOME Shell tells
// no other program: the suite's Shell extension (front-window@menulets.dev,
// or front-window-legacy@menulets.dev on GNOME 40 to 44) serves it on the
// Shell's own bus name (org.gnome.Shell, /dev/menulets/FrontWindow): asked
// once, then followed through its Activated signal (FrontWindowReports).
class ShellExtensionApplications final : public ReportedFrontWindowApplications {
public:
    // Following the extension of this Wayland session's GNOME Shell; nothing
    // outside Wayland, without GNOME Shell, or where the extension does not
    // answer (which standard error then says once, with how to enable the
    // extension for the Shell's version).
    static std::unique_ptr<ShellExtensionApplications> connect();

private:
    ShellExtensionApplications();
    bool follow();
    // How to enable the extension this Shell takes.
    static std::string enablingAdvice();
};

} // namespace platform
