#pragma once

#include "platform/appkit/ScriptResult.h"

#include <string>

namespace platform {

// The "System Events" application of the headless session. It knows the
// appearance preferences: dark mode lives in the global defaults domain
// under "AppleInterfaceStyle" ("Dark"; absent when light), where every
// program's user defaults see it.
class HeadlessSystemEvents {
public:
    static constexpr const char* applicationName = "System Events";
    static constexpr const char* appearanceKey = "AppleInterfaceStyle";

    static bool isDarkMode();
    // False when the global domain could not be written.
    static bool setDarkMode(bool dark);

    // Runs a script addressed to System Events: "set dark mode to not dark
    // mode", "set dark mode to true|false" and "get dark mode" inside the
    // appearance preferences; other statements do nothing.
    ScriptResult run(const std::string& source) const;
};

} // namespace platform
