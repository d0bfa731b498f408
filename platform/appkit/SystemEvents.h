#pragma once

#include "platform/appkit/ScriptResult.h"

#include <functional>
#include <string>

namespace platform {

// The "System Events" application as far as the programs script it: the
// appearance preferences' dark mode. Where the appearance is kept is the
// backend's to say (the global defaults domain headless, the desktop's own
// colour-scheme setting on a desktop).
class SystemEvents {
public:
    static constexpr const char* applicationName = "System Events";

    struct Appearance {
        std::function<bool()> isDark;
        // False when the change could not be made.
        std::function<bool(bool dark)> setDark;
    };

    explicit SystemEvents(Appearance appearance);

    // Runs a script addressed to System Events: "set dark mode to not dark
    // mode", "set dark mode to true|false" and "get dark mode" inside the
    // appearance preferences; other statements do nothing.
    ScriptResult run(const std::string& source) const;

private:
    Appearance appearance_;
};

} // namespace platform
