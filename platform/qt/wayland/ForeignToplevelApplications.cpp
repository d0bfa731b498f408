#include "platform/qt/wayland/ForeignToplevelApplications.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <wayland-client.h>

namespace platform {

namespace {

// The newest version whose events this class knows (version 3 adds `parent`).
constexpr unsigned supportedVersion = 3;

} // namespace

std::unique_ptr<ForeignToplevelApplications> ForeignToplevelApplications::connect() {
    // Without WAYLAND_DISPLAY libwayland would try "wayland-0", which on an
    // X11 session may be a compositor the person does not work in.
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') {
        return nullptr;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return nullptr;
    }
    std::unique_ptr<ForeignToplevelApplications> applications(new ForeignToplevelApplications(display));
    if (!applications->bindManager()) {
        return nullptr;
    }
    applications->listen();
    return applications;
}

ForeignToplevelApplications::ForeignToplevelApplications(wl_display* display)
    : display_(display),
      namer_("/proc", DesktopEntryIndex(DesktopEntryIndex::sessionFolders(), DesktopEntryIndex::messagesLocale())) {}

ForeignToplevelApplications::~ForeignToplevelApplications() {
    notifier_.reset();
    for (const auto& toplevel : toplevels_) {
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    }
    if (manager_ != nullptr) {
        zwlr_foreign_toplevel_manager_v1_destroy(manager_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    wl_display_disconnect(display_);
}

// Binds the compositor's list if it offers one, and reads the windows it
// has now, so that the first question already has an answer.
bool ForeignToplevelApplications::bindManager() {
    static const wl_registry_listener registryListener = {
        .global =
            [](void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
                auto* self = static_cast<ForeignToplevelApplications*>(data);
                if (self->manager_ != nullptr ||
                    std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) != 0) {
                    return;
                }
                self->manager_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
                    registry, name, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, supportedVersion)));
            },
        .global_remove = [](void*, wl_registry*, std::uint32_t) {},
    };
    static const zwlr_foreign_toplevel_manager_v1_listener managerListener = {
        .toplevel = [](void* data, zwlr_foreign_toplevel_manager_v1*,
                       zwlr_foreign_toplevel_handle_v1* handle) { static_cast<ForeignToplevelApplications*>(data)->added(handle); },
        .finished =
            [](void* data, zwlr_foreign_toplevel_manager_v1* manager) {
                // The compositor will send no more windows; the ones listed still report.
                zwlr_foreign_toplevel_manager_v1_destroy(manager);
                static_cast<ForeignToplevelApplications*>(data)->manager_ = nullptr;
            },
    };
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &registryListener, this);
    if (wl_display_roundtrip(display_) < 0 || manager_ == nullptr) {
        return false;
    }
    zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &managerListener, this);
    return wl_display_roundtrip(display_) >= 0;
}

void ForeignToplevelApplications::listen() {
    notifier_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { readEvents(); });
}

void ForeignToplevelApplications::readEvents() {
    // The socket is readable, so this reads without waiting.
    if (wl_display_dispatch(display_) < 0) {
        disconnected();
    }
}

void ForeignToplevelApplications::disconnected() {
    std::cerr << "The compositor closed the connection its window list came on; "
                 "the running and frontmost applications are unknown from now on.\n";
    notifier_->setEnabled(false);
    for (const auto& toplevel : toplevels_) {
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    }
    toplevels_.clear();
}

void ForeignToplevelApplications::added(zwlr_foreign_toplevel_handle_v1* handle) {
    static const zwlr_foreign_toplevel_handle_v1_listener handleListener = {
        .title =
            [](void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) {
                static_cast<Toplevel*>(data)->pendingTitle = title;
            },
        .app_id =
            [](void* data, zwlr_foreign_toplevel_handle_v1*, const char* applicationId) {
                static_cast<Toplevel*>(data)->pendingApplicationId = applicationId;
            },
        .output_enter = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        .output_leave = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        .state =
            [](void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
                const auto* first = static_cast<const std::uint32_t*>(states->data);
                const auto* last = first + states->size / sizeof(std::uint32_t);
                static_cast<Toplevel*>(data)->pendingActivated =
                    std::find(first, last, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) != last;
            },
        .done =
            [](void* data, zwlr_foreign_toplevel_handle_v1*) {
                auto* toplevel = static_cast<Toplevel*>(data);
                toplevel->owner->done(*toplevel);
            },
        .closed =
            [](void* data, zwlr_foreign_toplevel_handle_v1*) {
                auto* toplevel = static_cast<Toplevel*>(data);
                toplevel->owner->closed(*toplevel);
            },
        .parent = [](void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {},
    };
    auto toplevel = std::make_unique<Toplevel>();
    toplevel->owner = this;
    toplevel->handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &handleListener, toplevel.get());
    toplevels_.push_back(std::move(toplevel));
}

void ForeignToplevelApplications::done(Toplevel& toplevel) {
    toplevel.applicationId = toplevel.pendingApplicationId;
    toplevel.title = toplevel.pendingTitle;
    toplevel.activated = toplevel.pendingActivated;
}

void ForeignToplevelApplications::closed(Toplevel& toplevel) {
    zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
    std::erase_if(toplevels_, [&](const auto& listed) { return listed.get() == &toplevel; });
}

std::vector<RunningApplication> ForeignToplevelApplications::running() {
    std::vector<RunningApplication> applications;
    std::vector<std::string> listed;
    for (const auto& toplevel : toplevels_) {
        if (toplevel->applicationId.empty() ||
            std::find(listed.begin(), listed.end(), toplevel->applicationId) != listed.end()) {
            continue;
        }
        listed.push_back(toplevel->applicationId);
        applications.push_back(namer_.application(0, toplevel->applicationId));
    }
    return applications;
}

const ForeignToplevelApplications::Toplevel* ForeignToplevelApplications::activeToplevel() const {
    const auto active = std::find_if(toplevels_.begin(), toplevels_.end(), [](const auto& toplevel) {
        return toplevel->activated && !toplevel->applicationId.empty();
    });
    return active == toplevels_.end() ? nullptr : active->get();
}

std::optional<RunningApplication> ForeignToplevelApplications::frontmost() {
    const Toplevel* active = activeToplevel();
    if (active == nullptr) {
        return std::nullopt;
    }
    return namer_.application(0, active->applicationId);
}

std::optional<SessionApplications::FrontWindow> ForeignToplevelApplications::frontWindow() {
    const Toplevel* active = activeToplevel();
    if (active == nullptr) {
        return std::nullopt;
    }
    return FrontWindow{0, active->applicationId, active->title};
}

} // namespace platform
