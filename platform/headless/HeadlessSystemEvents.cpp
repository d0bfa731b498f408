#include "platform/headless/HeadlessSystemEvents.h"

#include "platform/defaults/DefaultsLocation.h"
#include "platform/defaults/GlobalDomain.h"
#include "platform/defaults/GlobalDomainWriter.h"

#include <cctype>

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

bool HeadlessSystemEvents::isDarkMode() {
    GlobalDomain global(DefaultsLocation::fileForDomain(DefaultsLocation::globalDomainName));
    auto style = global.object(appearanceKey);
    return style && style->string() != nullptr && *style->string() == "Dark";
}

bool HeadlessSystemEvents::setDarkMode(bool dark) {
    GlobalDomainWriter writer;
    return dark ? writer.set(PropertyList(std::string("Dark")), appearanceKey) : writer.removeObject(appearanceKey);
}

ScriptResult HeadlessSystemEvents::run(const std::string& source) const {
    const std::string text = normalized(source);
    if (!contains(text, "appearance preferences")) {
        return ScriptResult::nothing();
    }
    bool dark = isDarkMode();
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
    if (changed && !setDarkMode(dark)) {
        return ScriptResult::failure("System Events got an error: Can't set dark mode.", -10006, applicationName);
    }
    if (contains(text, "get dark mode") || contains(text, "return dark mode")) {
        return ScriptResult::value(dark ? "true" : "false");
    }
    return ScriptResult::nothing();
}

} // namespace platform
