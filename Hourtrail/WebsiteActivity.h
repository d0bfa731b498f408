#pragma once

#include "platform/plist/PropertyListCodable.h"

#include <string>
#include <tuple>

namespace Hourtrail {

// The time one website has been in front of a browser, whichever browser.
struct WebsiteActivity {
    // The host without a leading "www.", or "Unknown Host".
    std::string host;
    double accumulated = 0;

    bool operator==(const WebsiteActivity&) const = default;

    static constexpr auto codingFields() {
        return std::tuple{platform::codingField("host", &WebsiteActivity::host),
                          platform::codingField("accumulated", &WebsiteActivity::accumulated)};
    }
};

} // namespace Hourtrail
