#include "tools/defaults/DefaultsValueParser.h"

#include "platform/defaults/DefaultsValueConversion.h"
#include "platform/foundation/AsciiCase.h"
#include "platform/foundation/Hexadecimal.h"

#include <charconv>
#include <cmath>

using namespace platform;

bool DefaultsValueParser::isTypeFlag(const std::string& argument) {
    return argument == "-string" || argument == "-int" || argument == "-integer" || argument == "-float" ||
           argument == "-bool" || argument == "-boolean" || argument == "-data";
}

std::optional<PropertyList> DefaultsValueParser::parse(const std::string& type, const std::string& text,
                                                       std::string& error) {
    std::optional<PropertyList> value;
    std::string expected;
    if (type == "-string") {
        return PropertyList(text);
    } else if (type == "-int" || type == "-integer") {
        value = integer(text);
        expected = "an integer";
    } else if (type == "-float") {
        if (auto number = DefaultsValueConversion::number(text); number && std::isfinite(*number)) {
            value = PropertyList(*number);
        }
        expected = "a finite number";
    } else if (type == "-bool" || type == "-boolean") {
        value = boolean(text);
        expected = "YES, NO, true, false, 1 or 0";
    } else if (type == "-data") {
        value = data(text);
        expected = "an even number of hexadecimal digits";
    } else {
        error = "unknown value type " + type;
        return std::nullopt;
    }
    if (!value) {
        error = "\"" + text + "\" is not a valid " + type.substr(1) + " value (expected " + expected + ")";
    }
    return value;
}

std::optional<PropertyList> DefaultsValueParser::integer(const std::string& text) {
    std::string_view digits = text;
    const bool negative = digits.starts_with('-');
    if (negative || digits.starts_with('+')) {
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() == '-' || digits.front() == '+') {
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (status != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    if (!negative) {
        return PropertyList::unsignedInteger(magnitude);
    }
    // Down to -2^63, the format's smallest integer.
    if (magnitude > (std::uint64_t{1} << 63)) {
        return std::nullopt;
    }
    return PropertyList(PropertyListInteger{magnitude != 0, magnitude});
}

std::optional<PropertyList> DefaultsValueParser::boolean(const std::string& text) {
    const std::string word = asciiLowercased(text);
    if (word == "yes" || word == "true" || word == "1") {
        return PropertyList(true);
    }
    if (word == "no" || word == "false" || word == "0") {
        return PropertyList(false);
    }
    return std::nullopt;
}

std::optional<PropertyList> DefaultsValueParser::data(const std::string& text) {
    std::string_view hex = text;
    if (hex.starts_with('<') && hex.ends_with('>') && hex.size() >= 2) {
        hex = hex.substr(1, hex.size() - 2);
    }
    Data bytes;
    int high = -1;
    for (char c : hex) {
        if (c == ' ' || c == '\t' || c == '\n') {
            continue;
        }
        const int digit = Hexadecimal::digitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    if (high >= 0) {
        return std::nullopt;
    }
    return PropertyList(std::move(bytes));
}
