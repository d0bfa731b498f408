#pragma once

#include "platform/qt/ApplicationNamer.h"
#include "platform/qt/SessionApplications.h"

#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;

namespace platform {

// The windows of a wlroots compositor (sway, Hyprland, labwc, river, Wayfire)
// and the one activated, from the list it keeps for task bars
// (zwlr_foreign_toplevel_manager_v1). It lists native Wayland windows and
// Xwayland's alike, by app id. The list is read on a Wayland connection of
// its own, whatever platform Qt runs on, and kept current as the compositor's
// events arrive on the Qt event loop, so asking costs no round trip.
class ForeignToplevelApplications final : public SessionApplications {
public:
    // Connected to the compositor that WAYLAND_DISPLAY names; nothing when
    // there is none or it keeps no such list (GNOME, Plasma).
    static std::unique_ptr<ForeignToplevelApplications> connect();
    ~ForeignToplevelApplications() override;

    std::vector<RunningApplication> running() override;
    std::optional<RunningApplication> frontmost() override;
    std::optional<FrontWindow> frontWindow() override;

private:
    // A window as the compositor last described it, and what it is
    // describing now (applied together at its `done`).
    struct Toplevel {
        ForeignToplevelApplications* owner = nullptr;
        zwlr_foreign_toplevel_handle_v1* handle = nullptr;
        std::string applicationId;
        std::string title;
        bool activated = false;
        std::string pendingApplicationId;
        std::string pendingTitle;
        bool pendingActivated = false;
    };

    explicit ForeignToplevelApplications(wl_display* display);

    bool bindManager();
    void listen();
    void readEvents();
    void disconnected();
    void added(zwlr_foreign_toplevel_handle_v1* handle);
    void done(Toplevel& toplevel);
    const Toplevel* activeToplevel() const;
    void closed(Toplevel& toplevel);


    wl_display* display_;
    wl_registry* registry_ = nullptr;
    zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<std::unique_ptr<Toplevel>> toplevels_;
    ApplicationNamer namer_;
};

} // namespace platform
