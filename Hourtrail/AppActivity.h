#pragma once

#include "platform/plist/PropertyListCodable.h"

#include <string>
#include <tuple>

namespace Hourtrail {

// The time one application has been frontmost.
struct AppActivity {
    // The application's name as it was first credited.
    std::string title;
    // Seconds credited so far, one per tick.
    double accumulated = 0;

    bool operator==(const AppActivity&) const = default;

    static constexpr auto codingFields() {
        return std::tuple{platform::codingField("title", &AppActivity::title),
                          platform::codingField("accumulated", &AppActivity::accumulated)};
    }
};

} // namespace Hourtrail
