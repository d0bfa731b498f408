#pragma once

#include "Carryover/LinkStoreDelegate.h"
#include "Carryover/Store.h"

#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/URL.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace Carryover {

// The links and the day rollover: links dropped today stay pending in
// `newLinks`; once the calendar day has turned (seen at 02:00 of the next day
// or at the first click or drop on a later day) they move to `storedLinks`.
// Everything runs on the main thread.
class LinkStore : public std::enable_shared_from_this<LinkStore> {
public:
    static constexpr std::string_view storeKey = "Carryover.store";
    static constexpr std::string_view mostRecentLogKey = "Carryover.mostRecentLog";

    // Opens one URL; false when nothing could open it.
    using Opener = std::function<bool(const platform::URL&)>;

    // Reads both keys once. A missing or undecodable store gives the empty
    // store and is left as it is until the next save; a missing or non-numeric
    // log time gives the current moment, which is not written back.
    static std::shared_ptr<LinkStore> load(platform::UserDefaults& defaults);

    void setDelegate(std::weak_ptr<LinkStoreDelegate> delegate) { delegate_ = std::move(delegate); }

    const Store& store() const { return store_; }
    // The moment of the most recent rollover.
    platform::Date lastLog() const { return lastLog_; }

    void saveStore();
    // Forwards the pending links when `lastLog` is not on today's calendar day
    // (an earlier one, or a later one after the clock was set back).
    void dayCheck();
    // The rollover: pending links to the end of `storedLinks`, a new
    // `lastLog`, and one more timed rollover.
    void forwardLinks();
    // Schedules a rollover at 02:00 of the calendar day after today. Nothing
    // cancels it: every call adds one.
    void setupDateForwarding();
    // A dropped link; without a title the URL's host stands in.
    void addLink(const platform::URL& url, const std::optional<std::string>& title);
    // Hands `newLinks` (when `pending`) or `storedLinks` to `open`, first to
    // last, and empties that list except for the links `open` could not open,
    // which stay in their order.
    void takeListForOpening(bool pending, const Opener& open);

private:
    explicit LinkStore(platform::UserDefaults& defaults) : defaults_(defaults) {}
    void updateIcon();

    platform::UserDefaults& defaults_;
    std::weak_ptr<LinkStoreDelegate> delegate_;
    Store store_;
    platform::Date lastLog_;
};

} // namespace Carryover
