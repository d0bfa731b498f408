#pragma once

#include "platform/appkit/RunningApplication.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The applications with windows in the desktop session and the one the person
// works in, as one kind of session tells them: each kind (X11's window
// manager, the wlroots compositors, ...) has a class of its own behind this.
class SessionApplications {
public:
    // The window in front, as far as the session tells it.
    struct FrontWindow {
        int processIdentifier = 0; // 0: not told
        std::string windowClass;   // the class of WM_CLASS, or the app id
        std::string title;
    };

    virtual ~SessionApplications() = default;

    // The first kind that answers in this session, or one that reports
    // nothing (and says so once) where none does. Needs the Qt application.
    static std::unique_ptr<SessionApplications> forThisSession();

    // One entry per application, in no particular order.
    virtual std::vector<RunningApplication> running() = 0;
    virtual std::optional<RunningApplication> frontmost() = 0;
    virtual std::optional<FrontWindow> frontWindow() = 0;
};

} // namespace platform
