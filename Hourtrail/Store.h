#pragma once

#include "Hourtrail/AppActivity.h"
#include "Hourtrail/WebsiteActivity.h"

#include "platform/plist/PropertyListCodable.h"

#include <map>
#include <string>
#include <tuple>

namespace Hourtrail {

// All totals, as kept under "Hourtrail.store". Entries appear at their first
// credit and only a reset removes them.
struct Store {
    // Keyed by the application's name as sampled.
    std::map<std::string, AppActivity> activities;
    // Keyed by host; both browsers share it.
    std::map<std::string, WebsiteActivity> webActivities;

    bool operator==(const Store&) const = default;

    static constexpr auto codingFields() {
        return std::tuple{platform::codingField("activities", &Store::activities),
                          platform::codingField("webActivities", &Store::webActivities)};
    }
};

} // namespace Hourtrail
