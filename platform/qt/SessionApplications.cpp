#include "platform/qt/SessionApplications.h"

#include "platform/qt/UnknownSessionApplications.h"
#include "platform/qt/gnome/ShellExtensionApplications.h"
#include "platform/qt/kde/KWinScriptApplications.h"
#include "platform/qt/wayland/ForeignToplevelApplications.h"
#include "platform/qt/x11/X11Applications.h"

namespace platform {

std::unique_ptr<SessionApplications> SessionApplications::forThisSession() {
    // A wlroots compositor lists its native windows and its Xwayland ones
    // alike; its Xwayland's window manager knows only the latter, so it is
    // asked first.
    if (auto wayland = ForeignToplevelApplications::connect()) {
        return wayland;
    }
    // Plasma on Wayland keeps its list to itself; a script inside KWin tells.
    if (auto kwin = KWinScriptApplications::connect()) {
        return kwin;
    }
    // GNOME Shell neither; the suite's extension for it tells.
    if (auto shell = ShellExtensionApplications::connect()) {
        return shell;
    }
    if (auto x11 = X11Applications::connect()) {
        return x11;
    }
    return std::make_unique<UnknownSessionApplications>();
}

} // namespace platform
