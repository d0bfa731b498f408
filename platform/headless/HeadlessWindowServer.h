#pragma once

#include "platform/appkit/Backend.h"
#include "platform/appkit/RunningApplication.h"
#include "platform/appkit/ScriptResult.h"
#include "platform/appkit/SystemEvents.h"
#include "platform/headless/HeadlessEvent.h"
#include "platform/headless/StatusItemSnapshot.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace platform {

// The backend without a display: it keeps what the program shows in memory
// (the model objects themselves), records what the program does as events,
// and plays the rest of the system (other applications, URL handlers,
// scriptable applications) as the driver sets it up.
class HeadlessWindowServer final : public Backend {
public:
    // `applicationName` names this program among the running applications.
    explicit HeadlessWindowServer(std::string applicationName = {}, std::string bundleIdentifier = {});

    // Backend.
    void windowShown(Window& window) override;
    void windowHidden(Window& window) override;
    void windowClosed(Window& window) override;
    void applicationActivationChanged(bool active) override;
    void applicationWillTerminate() override;
    void popUpStatusItemMenu(StatusItem& item) override;
    bool openURL(const URL& url) override;
    std::vector<RunningApplication> runningApplications() const override;
    std::optional<RunningApplication> frontmostApplication() const override;
    std::optional<BrowserPage> frontmostBrowserPage() const override { return frontmostPage_; }
    bool isWebBrowser(const std::string& applicationName) const override {
        return webBrowsers_.contains(applicationName);
    }
    void playSound(const std::string& name) override;
    ScriptResult executeScript(const std::string& targetApplication, const std::string& source) override;

    // The other applications. This program is always listed last.
    void setRunningApplications(std::vector<RunningApplication> applications);
    const std::vector<RunningApplication>& otherApplications() const { return others_; }
    void setFrontmostApplication(std::optional<RunningApplication> application);
    // What the frontmost application shows when it is a web browser read
    // from its files, and the applications that are web browsers.
    void setFrontmostBrowserPage(std::optional<BrowserPage> page) { frontmostPage_ = std::move(page); }
    void setWebBrowsers(std::set<std::string> names) { webBrowsers_ = std::move(names); }
    // What a scriptable application answers to every script from now on.
    void setScriptAnswer(const std::string& application, ScriptResult answer);
    void removeScriptAnswer(const std::string& application);
    // Schemes some other application opens (http, https, mailto and ftp
    // from the start); file URLs open when the file exists.
    void setHandledURLSchemes(std::set<std::string> schemes);

    // The status item's menu while it is open.
    std::shared_ptr<Menu> trackedMenu() const { return trackedMenu_; }
    void dismissMenu();

    // Events. Status items are compared with what was last reported at
    // flush(), which the driver calls once an event has been handled, as a
    // screen redraws them then; everything else is recorded as it happens. With a listener events go to it (on the
    // thread that caused them, one at a time); without one they are kept
    // until taken.
    void record(HeadlessEvent event);
    void flush();
    std::vector<HeadlessEvent> takeEvents();
    void setListener(std::function<void(const HeadlessEvent&)> listener);

private:
    bool isReported(const Window& window) const;
    HeadlessEvent windowEvent(const char* kind, const Window& window) const;

    std::string applicationName_;
    std::string bundleIdentifier_;
    std::vector<RunningApplication> others_;
    std::optional<RunningApplication> frontmost_;
    std::optional<BrowserPage> frontmostPage_;
    std::set<std::string> webBrowsers_;
    std::map<std::string, ScriptResult> scriptAnswers_;
    std::set<std::string> handledSchemes_{"http", "https", "mailto", "ftp"};
    SystemEvents systemEvents_;
    std::shared_ptr<Menu> trackedMenu_;
    std::map<int, StatusItemSnapshot> reportedItems_;
    std::map<int, int> reportedPlaces_;

    // The thread that made the server: the one the model lives on.
    std::thread::id mainThread_;
    mutable std::recursive_mutex eventMutex_;
    std::vector<HeadlessEvent> events_;
    std::function<void(const HeadlessEvent&)> listener_;
};

} // namespace platform
