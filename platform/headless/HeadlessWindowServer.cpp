#include "platform/headless/HeadlessWindowServer.h"

#include "platform/appkit/Menu.h"
#include "platform/appkit/RunningApplication.h"
#include "platform/appkit/ScriptResult.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusBarWindow.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/Window.h"
#include "platform/defaults/GlobalAppearance.h"
#include "platform/foundation/AsciiCase.h"
#include "platform/foundation/SaveFailures.h"
#include "platform/foundation/URL.h"

#include <algorithm>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

bool isApplicationBundle(const URL& url) { return url.pathExtension() == "app"; }

} // namespace

HeadlessWindowServer::HeadlessWindowServer(std::string applicationName, std::string bundleIdentifier)
    : applicationName_(std::move(applicationName)), bundleIdentifier_(std::move(bundleIdentifier)),
      systemEvents_({[] { return GlobalAppearance::isDark(); }, [](bool dark) { return GlobalAppearance::setDark(dark); }}),
      mainThread_(std::this_thread::get_id()) {}

bool HeadlessWindowServer::isReported(const Window& window) const {
    // A status item's own window is part of the item, not a window the user sees.
    return dynamic_cast<const StatusBarWindow*>(&window) == nullptr;
}

HeadlessEvent HeadlessWindowServer::windowEvent(const char* kind, const Window& window) const {
    HeadlessEvent event(kind);
    event.with("window", window.windowNumber()).with("kind", window.kind()).with("title", window.title());
    return event;
}

void HeadlessWindowServer::windowShown(Window& window) {
    if (isReported(window)) {
        record(windowEvent("windowShown", window).with("level", window.level()));
    }
}

void HeadlessWindowServer::windowHidden(Window& window) {
    if (isReported(window)) {
        record(windowEvent("windowHidden", window));
    }
}

void HeadlessWindowServer::windowClosed(Window& window) {
    if (isReported(window)) {
        record(windowEvent("windowClosed", window));
    }
}

void HeadlessWindowServer::applicationActivationChanged(bool active) {
    record(HeadlessEvent("activation").with("active", active));
}

void HeadlessWindowServer::applicationWillTerminate() {
    dismissMenu();
    flush();
    record(HeadlessEvent("terminate").with("status", SaveFailures::any() ? 1 : 0));
}

void HeadlessWindowServer::popUpStatusItemMenu(StatusItem& item) {
    auto menu = item.menu();
    if (!menu) {
        return;
    }
    dismissMenu();
    trackedMenu_ = menu;
    record(HeadlessEvent("menuOpened").with("title", menu->title()));
    menu->open();
}

void HeadlessWindowServer::dismissMenu() {
    if (auto menu = std::move(trackedMenu_)) {
        const bool wasOpen = menu->isOpen();
        menu->close();
        if (wasOpen) {
            record(HeadlessEvent("menuClosed").with("title", menu->title()));
        }
    }
}

bool HeadlessWindowServer::openURL(const URL& url) {
    const std::string text = url.absoluteString();
    if (url.isFileURL()) {
        std::error_code error;
        const bool exists = std::filesystem::exists(url.path(), error);
        if (!exists) {
            record(HeadlessEvent("openFailed").with("url", text));
            return false;
        }
        if (isApplicationBundle(url)) {
            std::string name = url.deletingPathExtension().lastPathComponent();
            auto running = std::find_if(others_.begin(), others_.end(), [&](const RunningApplication& app) {
                return app.bundleURL && *app.bundleURL == url;
            });
            if (running == others_.end()) {
                others_.push_back(RunningApplication{name, url, std::nullopt, 0});
            }
            record(HeadlessEvent("launched").with("url", text).with("name", name));
            return true;
        }
        record(HeadlessEvent("opened").with("url", text));
        return true;
    }
    auto scheme = url.scheme();
    if (!scheme || handledSchemes_.count(asciiLowercased(*scheme)) == 0) {
        record(HeadlessEvent("openFailed").with("url", text));
        return false;
    }
    record(HeadlessEvent("opened").with("url", text));
    return true;
}

std::vector<RunningApplication> HeadlessWindowServer::runningApplications() const {
    auto all = others_;
    RunningApplication self;
    if (!applicationName_.empty()) {
        self.localizedName = applicationName_;
    }
    if (!bundleIdentifier_.empty()) {
        self.bundleIdentifier = bundleIdentifier_;
    }
    self.processIdentifier = static_cast<int>(::getpid());
    all.push_back(std::move(self));
    return all;
}

std::optional<RunningApplication> HeadlessWindowServer::frontmostApplication() const { return frontmost_; }

void HeadlessWindowServer::playSound(const std::string& name) { record(HeadlessEvent("sound").with("name", name)); }

ScriptResult HeadlessWindowServer::executeScript(const std::string& targetApplication, const std::string& source) {
    if (auto answer = scriptAnswers_.find(targetApplication); answer != scriptAnswers_.end()) {
        return answer->second;
    }
    if (targetApplication == SystemEvents::applicationName) {
        const bool wasDark = GlobalAppearance::isDark();
        ScriptResult result = systemEvents_.run(source);
        if (GlobalAppearance::isDark() != wasDark) {
            record(HeadlessEvent("appearance").with("style", wasDark ? "Light" : "Dark"));
        }
        return result;
    }
    if (targetApplication.empty()) {
        return ScriptResult::nothing();
    }
    auto isTarget = [&](const RunningApplication& app) { return app.localizedName == targetApplication; };
    const bool running = std::any_of(others_.begin(), others_.end(), isTarget) || (frontmost_ && isTarget(*frontmost_));
    if (!running) {
        return ScriptResult::failure("Application isn't running.", -600, targetApplication);
    }
    return ScriptResult::nothing();
}

void HeadlessWindowServer::setRunningApplications(std::vector<RunningApplication> applications) {
    others_ = std::move(applications);
}

void HeadlessWindowServer::setFrontmostApplication(std::optional<RunningApplication> application) {
    frontmost_ = std::move(application);
}

void HeadlessWindowServer::setScriptAnswer(const std::string& application, ScriptResult answer) {
    scriptAnswers_[application] = std::move(answer);
}

void HeadlessWindowServer::removeScriptAnswer(const std::string& application) { scriptAnswers_.erase(application); }

void HeadlessWindowServer::setHandledURLSchemes(std::set<std::string> schemes) {
    handledSchemes_.clear();
    for (const auto& scheme : schemes) {
        handledSchemes_.insert(asciiLowercased(scheme));
    }
}

void HeadlessWindowServer::record(HeadlessEvent event) {
    std::lock_guard lock(eventMutex_);
    if (listener_) {
        listener_(event);
    } else {
        events_.push_back(std::move(event));
    }
}

void HeadlessWindowServer::flush() {
    // Only the main thread may look at the model.
    if (std::this_thread::get_id() != mainThread_) {
        return;
    }
    // Items are reported by their place in the bar, as the driver names them.
    std::map<int, StatusItemSnapshot> current;
    std::map<int, int> places;
    int place = 0;
    for (const auto& item : StatusBar::system().items()) {
        current.emplace(item->itemNumber(), StatusItemSnapshot::of(*item));
        places[item->itemNumber()] = place++;
    }
    for (const auto& [number, snapshot] : reportedItems_) {
        if (current.count(number) == 0) {
            record(HeadlessEvent("statusItemRemoved").with("item", reportedPlaces_[number]));
        }
    }
    for (const auto& [number, snapshot] : current) {
        auto earlier = reportedItems_.find(number);
        auto changes = snapshot.changesSince(earlier == reportedItems_.end() ? StatusItemSnapshot() : earlier->second);
        if (!changes.empty()) {
            HeadlessEvent event("statusItem");
            event.with("item", places[number]);
            for (auto& change : changes) {
                event.with(change.first, change.second);
            }
            record(std::move(event));
        }
    }
    reportedItems_ = std::move(current);
    reportedPlaces_ = std::move(places);
}

std::vector<HeadlessEvent> HeadlessWindowServer::takeEvents() {
    flush();
    std::lock_guard lock(eventMutex_);
    return std::exchange(events_, {});
}

void HeadlessWindowServer::setListener(std::function<void(const HeadlessEvent&)> listener) {
    std::lock_guard lock(eventMutex_);
    listener_ = std::move(listener);
    if (listener_) {
        for (const auto& event : std::exchange(events_, {})) {
            listener_(event);
        }
    }
}

} // namespace platform
