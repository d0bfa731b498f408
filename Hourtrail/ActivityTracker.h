#pragma once

#include "Hourtrail/Store.h"
#include "Hourtrail/StoreWriter.h"

#include "platform/combine/AnyCancellable.h"
#include "platform/defaults/StoredRecord.h"

#include <memory>
#include <optional>
#include <set>
#include <string>

namespace Hourtrail {

// Credits one second a tick to the frontmost application (and, for a
// browser, to the host of its page) and keeps the totals under
// "Hourtrail.store", written by a StoreWriter of its own. Its timers run in the run loop's default mode only, so
// nothing is credited while a menu is open, and hold the tracker weakly.
class ActivityTracker : public std::enable_shared_from_this<ActivityTracker> {
public:
    static constexpr const char* storeKey = "Hourtrail.store";
    static constexpr double tickInterval = 1.0;
    static constexpr double saveInterval = 10.0;

    // Loads the store and starts the tick and save timers.
    static std::shared_ptr<ActivityTracker> make();

    // The totals; the first use takes over the stored ones.
    const Store& store() { return totals(); }
    bool trackerRunning() const { return trackerRunning_; }

    // One sample of the frontmost application.
    void tick();
    // Hands the entries credited since the last save to the writer.
    void saveStore();
    void togglePause();
    // Empties both totals and writes that at once, paused or not.
    void resetTimes();
    // At the end of the program: writes what the periodic save has not yet
    // written, which while paused is everything since the pause, and waits
    // until the defaults hold it.
    void saveUnsavedCredits();
    // Returns once every save made so far is in the defaults.
    void waitForSaves();

private:
    ActivityTracker() = default;
    void startTimers();
    void creditWebsite(const std::string& host);
    void creditApplication(const std::string& name);

    Store& totals();

    bool trackerRunning_ = true;
    // The stored totals, decoded beside start-up and taken over at their
    // first use (a tick, a save, a reset, the menu), so that a store of
    // many entries does not hold up the program's start.
    platform::StoredRecordLoading<Store> storedStore_;
    Store store_;
    // Credits made since the store was last written.
    bool unsavedCredits_ = false;
    // What the next save hands over: the keys credited since the last one,
    // and whether the totals were reset in between.
    std::set<std::string> creditedApplications_;
    std::set<std::string> creditedWebsites_;
    bool emptiedSinceSave_ = false;
    std::unique_ptr<StoreWriter> writer_;
    platform::CancelBag cancelBag;
    // Every timer lives in the bag; no single subscription is kept apart.
    std::optional<platform::AnyCancellable> cancellableTimer;
};

} // namespace Hourtrail
