#include "platform/appkit/Workspace.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Backend.h"
#include "platform/appkit/RunningApplication.h"
#include "platform/foundation/URL.h"
#include "platform/runloop/DispatchQueue.h"

namespace platform {

Workspace& Workspace::shared() {
    static Workspace workspace;
    return workspace;
}

bool Workspace::open(const URL& url) {
    auto scheme = url.scheme();
    // Without a scheme no handler can be chosen, and the text ("--help")
    // could reach an opener as one of its options.
    if (!scheme) {
        return false;
    }
    if (Application::shared().handlesURLScheme(*scheme)) {
        DispatchQueue::main().async([url] { Application::shared().openURLs({url}); });
        return true;
    }
    auto* backend = Backend::installed();
    return backend != nullptr && backend->openURL(url);
}

bool Workspace::launchApplication(const URL& bundleURL) {
    if (!bundleURL.isFileURL()) {
        return false;
    }
    return open(bundleURL);
}

std::vector<RunningApplication> Workspace::runningApplications() const {
    auto* backend = Backend::installed();
    return backend != nullptr ? backend->runningApplications() : std::vector<RunningApplication>{};
}

std::optional<RunningApplication> Workspace::frontmostApplication() const {
    auto* backend = Backend::installed();
    return backend != nullptr ? backend->frontmostApplication() : std::nullopt;
}

std::optional<BrowserPage> Workspace::frontmostBrowserPage() const {
    auto* backend = Backend::installed();
    return backend != nullptr ? backend->frontmostBrowserPage() : std::nullopt;
}

bool Workspace::isWebBrowser(const std::string& applicationName) const {
    auto* backend = Backend::installed();
    return backend != nullptr && backend->isWebBrowser(applicationName);
}

} // namespace platform
