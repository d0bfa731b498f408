#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace platform {

// A bit mask as the listings show it: the names of its known bits joined by
// "|", then whatever bits are left as one number, so that a bit nobody
// named yet still shows up instead of vanishing.
struct MaskDescription {
    struct Name {
        std::uint64_t bit;
        const char* name;
    };

    // `empty` stands for a mask with no bits set ("none", "borderless").
    static std::string describe(std::uint64_t mask, std::initializer_list<Name> names, const char* empty);
};

} // namespace platform
