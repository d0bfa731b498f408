#pragma once

#include "Carryover/Link.h"

#include <tuple>
#include <vector>

namespace Carryover {

// The links the program keeps: those forwarded from earlier days, and those
// dropped since the last rollover, each list in the order it grew.
struct Store {
    std::vector<Link> storedLinks;
    std::vector<Link> newLinks;

    static constexpr auto codingFields() {
        return std::tuple{platform::codingField("storedLinks", &Store::storedLinks),
                          platform::codingField("newLinks", &Store::newLinks)};
    }
    bool operator==(const Store&) const = default;
};

} // namespace Carryover
