#pragma once

namespace platform {

// The appearance every program sees: dark mode is "AppleInterfaceStyle" =
// "Dark" in the global defaults domain (absent when light), which the
// programs read through their user defaults.
class GlobalAppearance {
public:
    static constexpr const char* key = "AppleInterfaceStyle";

    static bool isDark();
    // False when the global domain could not be written.
    static bool setDark(bool dark);
};

} // namespace platform
