#include "Carryover/LinkStore.h"

#include "platform/defaults/StoredRecord.h"
#include "platform/foundation/DebugLine.h"
#include "platform/plist/PropertyListEncoder.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/time/Calendar.h"

#include <cmath>
#include <iterator>
#include <optional>
#include <utility>

namespace Carryover {

using platform::Calendar;
using platform::Date;
using platform::PropertyList;

std::shared_ptr<LinkStore> LinkStore::load(platform::UserDefaults& defaults) {
    std::shared_ptr<LinkStore> links(new LinkStore(defaults));

    const auto logged = defaults.object(mostRecentLogKey);
    std::optional<Date> stored;
    if (const double* seconds = logged ? logged->real() : nullptr; seconds && std::isfinite(*seconds)) {
        stored = Date{*seconds};
    } else if (const auto* whole = logged ? logged->integer() : nullptr) {
        const auto magnitude = static_cast<double>(whole->magnitude);
        stored = Date{whole->negative ? -magnitude : magnitude};
    }
    links->lastLog_ = stored.value_or(Date::now());
    if (!stored) {
        // Remembered at once, whether it was missing or no number: otherwise
        // a restart on a later day would take that day as the last rollover
        // and hold today's links a day longer. What was there is kept aside.
        if (logged) {
            defaults.keepAsideBeforeReplacing(mostRecentLogKey, "not a number of seconds");
        }
        defaults.set(links->lastLog_.timeIntervalSince1970, mostRecentLogKey);
    }

    if (auto store = platform::decodeStoredRecord<Store>(defaults, storeKey)) {
        links->store_ = std::move(*store);
    }
    return links;
}

void LinkStore::saveStore() {
    defaults_.set(PropertyList(platform::PropertyListEncoder::encode(store_)), storeKey);
}

void LinkStore::dayCheck() {
    if (!Calendar::current().isDate(lastLog_, Date::now())) {
        forwardLinks();
    }
}

void LinkStore::forwardLinks() {
    auto& stored = store_.storedLinks;
    stored.insert(stored.end(), std::make_move_iterator(store_.newLinks.begin()),
                  std::make_move_iterator(store_.newLinks.end()));
    store_.newLinks.clear();
    saveStore();
    lastLog_ = Date::now();
    defaults_.set(lastLog_.timeIntervalSince1970, mostRecentLogKey);
    updateIcon();
    setupDateForwarding();
}

void LinkStore::setupDateForwarding() {
    const Calendar calendar = Calendar::current();
    const auto anchor = calendar.dateBySettingHour(2, 0, 0, Date::now(), Calendar::MatchingPolicy::nextTime,
                                                   Calendar::RepeatedTimePolicy::first,
                                                   Calendar::SearchDirection::forward);
    const auto target = anchor ? calendar.dateByAdding(Calendar::Component::day, 1, *anchor) : std::nullopt;
    if (!target) {
        platform::debugPrint("Error setting up date forwarding");
        return;
    }
    const Date now = Date::now();
    // Whole seconds, cut toward zero: the rollover may come up to a second
    // before 02:00:00, which is still the new day.
    const double delay = std::trunc(target->timeIntervalSince(now));
    platform::DispatchQueue::main().asyncAfterWallDeadline(
        now.addingTimeInterval(delay),
        platform::weakly(shared_from_this(), [](LinkStore& links) { links.forwardLinks(); }));
}

void LinkStore::addLink(const platform::URL& url, const std::optional<std::string>& title) {
    dayCheck();
    store_.newLinks.push_back(Link{url, title ? *title : url.host().value_or("")});
    if (auto delegate = delegate_.lock()) {
        delegate->playDropSound();
    }
    saveStore();
    updateIcon();
}

void LinkStore::takeListForOpening(bool pending, const Opener& open) {
    dayCheck();
    auto& list = pending ? store_.newLinks : store_.storedLinks;
    std::vector<Link> failed;
    for (auto& link : std::exchange(list, {})) {
        if (!open(link.link)) {
            failed.push_back(std::move(link));
        }
    }
    // A link no application took is kept for the next click rather than lost.
    list.insert(list.begin(), std::make_move_iterator(failed.begin()), std::make_move_iterator(failed.end()));
    saveStore();
    updateIcon();
}

void LinkStore::updateIcon() {
    if (auto delegate = delegate_.lock()) {
        delegate->updateIcon();
    }
}

} // namespace Carryover
