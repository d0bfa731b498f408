#include "Hourtrail/ActivityTracker.h"

#include "Hourtrail/BrowserURL.h"

#include "platform/appkit/RunningApplication.h"
#include "platform/appkit/Workspace.h"
#include "platform/combine/TimerPublisher.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/defaults/StoredRecord.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"

#include <utility>

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
    tracker->storedStore_ =
        platform::StoredRecordLoading<Store>(platform::UserDefaults::standard(), storeKey, std::launch::async);
    // The writer decodes its copy from the same bytes, and so comes to the same store.
    tracker->writer_ = std::make_unique<StoreWriter>(storeKey, tracker->storedStore_.bytes());
    tracker->startTimers();
    return tracker;
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

Store& ActivityTracker::totals() {
    if (storedStore_.pending()) {
        // Undecodable, the store starts empty; missing, it is empty already.
        store_ = storedStore_.take().value_or(Store{});
    }
    return store_;
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
    auto entry = totals().webActivities.try_emplace(host, WebsiteActivity{host, 0}).first;
    entry->second.accumulated += 1.0;
    creditedWebsites_.insert(host);
    unsavedCredits_ = true;
}

void ActivityTracker::creditApplication(const std::string& name) {
    auto entry = totals().activities.try_emplace(name, AppActivity{name, 0}).first;
    entry->second.accumulated += 1.0;
    creditedApplications_.insert(name);
    unsavedCredits_ = true;
}

void ActivityTracker::saveStore() {
    StoreWriter::Changes changes;
    changes.emptied = std::exchange(emptiedSinceSave_, false);
    for (const std::string& name : creditedApplications_) {
        changes.activities.emplace_back(name, totals().activities.at(name));
    }
    for (const std::string& host : creditedWebsites_) {
        changes.websites.emplace_back(host, totals().webActivities.at(host));
    }
    creditedApplications_.clear();
    creditedWebsites_.clear();
    writer_->write(std::move(changes));
    unsavedCredits_ = false;
}

void ActivityTracker::togglePause() { trackerRunning_ = !trackerRunning_; }

void ActivityTracker::resetTimes() {
    // Taken over first, so that a stored value that could not be read is
    // kept aside before the empty store replaces it.
    totals() = Store{};
    creditedApplications_.clear();
    creditedWebsites_.clear();
    emptiedSinceSave_ = true;
    saveStore();
}

void ActivityTracker::saveUnsavedCredits() {
    if (unsavedCredits_) {
        saveStore();
    }
    waitForSaves();
}

void ActivityTracker::waitForSaves() { writer_->waitUntilWritten(); }

} // namespace Hourtrail
