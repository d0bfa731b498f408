#include "Hourtrail/ActivityTracker.h"

#include "Hourtrail/BrowserURL.h"

#include "platform/appkit/RunningApplication.h"
#include "platform/appkit/Workspace.h"
#include "platform/combine/TimerPublisher.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/defaults/StoredRecord.h"
#include "platform/plist/PropertyListEncoder.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"

namespace Hourtrail {

namespace {

std::string frontmostName() {
    auto application = platform::Workspace::shared().frontmostApplication();
    if (!application || !application->localizedName || application->localizedName->empty()) {
        return "Unknown Name";
    }
    return *application->localizedName;
}

} // namespace

std::shared_ptr<ActivityTracker> ActivityTracker::make() {
    std::shared_ptr<ActivityTracker> tracker(new ActivityTracker());
    tracker->store_ = loadStore();
    tracker->startTimers();
    return tracker;
}

Store ActivityTracker::loadStore() {
    return platform::decodeStoredRecord<Store>(platform::UserDefaults::standard(), storeKey).value_or(Store{});
}

void ActivityTracker::startTimers() {
    auto self = shared_from_this();
    auto& runLoop = platform::RunLoop::main();
    const auto mode = platform::RunLoop::Mode::defaultMode;
    platform::TimerPublisher::publish(tickInterval, runLoop, mode)
        .autoconnect()
        .sink(platform::weakly(self, [](ActivityTracker& tracker, const platform::Date&) { tracker.tick(); }))
        .store(cancelBag);
    platform::TimerPublisher::publish(saveInterval, runLoop, mode)
        .autoconnect()
        .sink(platform::weakly(self, [](ActivityTracker& tracker, const platform::Date&) {
            if (tracker.trackerRunning_) {
                tracker.saveStore();
            }
        }))
        .store(cancelBag);
}

void ActivityTracker::tick() {
    const std::string name = frontmostName();
    if (name == "loginwindow" || !trackerRunning_) {
        return;
    }
    if (auto page = platform::Workspace::shared().frontmostBrowserPage()) {
        // A browser whose pages the desktop reads from the browser's files.
        creditWebsite(page->address ? hostOfPage(*page->address).value_or("Unknown Host") : "Unknown Host");
    } else if (name == "Google Chrome" || name == "Safari") {
        creditWebsite(getBrowserURL(name).value_or("Unknown Host"));
    }
    creditApplication(name);
}

void ActivityTracker::creditWebsite(const std::string& host) {
    auto entry = store_.webActivities.try_emplace(host, WebsiteActivity{host, 0}).first;
    entry->second.accumulated += 1.0;
    unsavedCredits_ = true;
}

void ActivityTracker::creditApplication(const std::string& name) {
    auto entry = store_.activities.try_emplace(name, AppActivity{name, 0}).first;
    entry->second.accumulated += 1.0;
    unsavedCredits_ = true;
}

void ActivityTracker::saveStore() {
    platform::UserDefaults::standard().set(platform::PropertyList(platform::PropertyListEncoder::encode(store_)),
                                           storeKey);
    unsavedCredits_ = false;
}

void ActivityTracker::togglePause() { trackerRunning_ = !trackerRunning_; }

void ActivityTracker::resetTimes() {
    store_ = Store{};
    saveStore();
}

void ActivityTracker::saveUnsavedCredits() {
    if (unsavedCredits_) {
        saveStore();
    }
}

} // namespace Hourtrail
