#pragma once

#include "platform/plist/PropertyList.h"

#include <optional>
#include <string>

// Turns the value arguments of `defaults write` into property-list values:
// -string, -int (-integer), -float, -bool (-boolean) and -data (hex digits,
// optionally within <>, white space ignored). Values that do not fit the type
// are rejected with a message, never approximated.
class DefaultsValueParser {
public:
    static bool isTypeFlag(const std::string& argument);
    static std::optional<platform::PropertyList> parse(const std::string& type, const std::string& text,
                                                       std::string& error);

private:
    static std::optional<platform::PropertyList> integer(const std::string& text);
    static std::optional<platform::PropertyList> boolean(const std::string& text);
    static std::optional<platform::PropertyList> data(const std::string& text);
};
