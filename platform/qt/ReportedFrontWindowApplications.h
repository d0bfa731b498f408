#pragma once

#include "platform/qt/ApplicationNamer.h"
#include "platform/qt/FrontWindowReports.h"
#include "platform/qt/SessionApplications.h"

namespace platform {

// A session that tells only the window in front, through the reports of code
// running inside its compositor (FrontWindowReports): the application of
// that window is the one in front and the only one known to run. Each kind
// of such code (a KWin script, a GNOME Shell extension) has a class of its
// own on top that sets the reports going.
class ReportedFrontWindowApplications : public SessionApplications {
public:
    std::vector<RunningApplication> running() final;
    std::optional<RunningApplication> frontmost() final;
    std::optional<FrontWindow> frontWindow() final;

protected:
    ReportedFrontWindowApplications();
    // Whether this is a Wayland session whose bus has `service` (a
    // compositor that keeps its windows to itself, whose own code must tell).
    static bool inWaylandSessionWith(const char* service);
    FrontWindowReports& reports() { return reports_; }

private:
    FrontWindowReports reports_;
    ApplicationNamer namer_;
};

} // namespace platform
