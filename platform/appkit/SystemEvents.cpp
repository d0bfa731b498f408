#include "platform/appkit/SystemEvents.h"

#include <cctype>
#include <utility>

namespace platform {

namespace {

// The source with every run of white space made one space.
std::string normalized(const std::string& source) {
    std::string out;
    bool space = false;
    for (unsigned char c : source) {
        if (std::isspace(c)) {
            space = !out.empty();
        } else {
            if (space) {
                out += ' ';
                space = false;
            }
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

} // namespace

SystemEvents::SystemEvents(Appearance appearance) : appearance_(std::move(appearance)) {}

ScriptResult SystemEvents::run(const std::string& source) const {
    const std::string text = normalized(source);
    if (!contains(text, "appearance preferences")) {
        return ScriptResult::nothing();
    }
    bool dark = appearance_.isDark();
    bool changed = false;
    if (contains(text, "set dark mode to not dark mode")) {
        dark = !dark;
        changed = true;
    } else if (contains(text, "set dark mode to true")) {
        dark = true;
        changed = true;
    } else if (contains(text, "set dark mode to false")) {
        dark = false;
        changed = true;
    }
    if (changed && !appearance_.setDark(dark)) {
        return ScriptResult::failure("System Events got an error: Can't set dark mode.", -10006, applicationName);
    }
    if (contains(text, "get dark mode") || contains(text, "return dark mode")) {
        return ScriptResult::value(dark ? "true" : "false");
    }
    return ScriptResult::nothing();
}

} // namespace platform
