#pragma once

#include "platform/plist/PropertyList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// How the typed getters of the user defaults read a stored value of another
// type, as the platform's defaults do: numbers and booleans stand in for one
// another, strings holding a number count as that number, and anything else
// gives the getter's default.
class DefaultsValueConversion {
public:
    // Strings as they are; integers, reals and booleans as their decimal text
    // ("600", "30.15", "1"); other kinds give nothing.
    static std::optional<std::string> string(const PropertyList& value);
    // Numbers; booleans as 1 or 0; strings holding a number. Otherwise 0.
    static double doubleValue(const PropertyList& value);
    // As doubleValue, truncated toward zero and clamped to the 64-bit range.
    static std::int64_t integer(const PropertyList& value);
    // Booleans; numbers other than 0; strings "YES" or "true" (any case) or
    // holding a number other than 0. Otherwise false.
    static bool boolean(const PropertyList& value);

    // The number a whole string holds, surrounding white space allowed.
    static std::optional<double> number(std::string_view text);
    // The shortest text that reads back as the same double; integral values
    // without a fraction ("600", not "600.0").
    static std::string text(double value);
};

} // namespace platform
