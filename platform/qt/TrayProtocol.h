#pragma once

#include <xcb/xcb.h>

#include <chrono>

namespace platform {

// Which protocol this program's tray icons speak. Qt settles it once per
// process, as the first icon is made: a status-notifier host (the panels of
// Plasma, GNOME's indicator extension, ...) if one is registered on the
// session bus then, else the XEmbed tray of X11. A panel that starts after
// the program (both started at login) would leave it with XEmbed for good,
// so the first icon waits a little for one.
class TrayProtocol {
public:
    enum class Kind { statusNotifier, xembed };

    // Returns at once when a status-notifier host or an XEmbed tray is there;
    // otherwise waits up to `limit` for either. Made before the first icon.
    static Kind settle(std::chrono::milliseconds limit);
    // What settle() found; XEmbed before it ran.
    static Kind current();
    // Whether settle() found a panel of either kind; true before it ran.
    static bool foundPanel();
    // The window owning the XEmbed tray selection of this display's screen:
    // the tray itself; XCB_NONE when no tray is there.
    static xcb_window_t xembedTrayWindow(xcb_connection_t* connection);

private:
    static bool panelPresent();
    static bool statusNotifierHostRegistered();
    static bool xembedTrayPresent();
};

} // namespace platform
