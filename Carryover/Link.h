#pragma once

#include "platform/foundation/URL.h"
#include "platform/plist/URLCoding.h"

#include <string>
#include <tuple>

namespace Carryover {

// One dropped link: the URL and the title that came with it (or its host).
struct Link {
    platform::URL link;
    std::string title;

    static constexpr auto codingFields() {
        return std::tuple{platform::codingField("link", &Link::link), platform::codingField("title", &Link::title)};
    }
    bool operator==(const Link&) const = default;
};

} // namespace Carryover
