#pragma once

#include "platform/appkit/BrowserPage.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

class URL;
struct RunningApplication;

// The system's services for opening things and for knowing the other
// applications.
class Workspace {
public:
    static Workspace& shared();

    // Hands the URL to the application that handles it (a file URL: the
    // application for that file; an application bundle: launches it).
    // URLs of this program's own schemes come back into this program on a
    // later turn of the main run loop. Returns whether a handler took it.
    bool open(const URL& url);
    // Launches the application bundle at the URL.
    bool launchApplication(const URL& bundleURL);

    std::vector<RunningApplication> runningApplications() const;
    std::optional<RunningApplication> frontmostApplication() const;
    // The page in front when the frontmost application is a web browser the
    // desktop can read; nothing for other applications.
    std::optional<BrowserPage> frontmostBrowserPage() const;
    bool isWebBrowser(const std::string& applicationName) const;

private:
    Workspace() = default;
};

} // namespace platform
