#include "platform/defaults/DefaultsValueConversion.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace platform {

namespace {

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view space = " \t\n\r\f\v";
    const auto first = text.find_first_not_of(space);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::int64_t> wholeInteger(std::string_view text) {
    text = trimmed(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::int64_t clampedToInt64(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value <= -limit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(std::trunc(value));
}

double doubleOf(const PropertyListInteger& integer) {
    const double magnitude = static_cast<double>(integer.magnitude);
    return integer.negative ? -magnitude : magnitude;
}

} // namespace

std::optional<double> DefaultsValueConversion::number(std::string_view text) {
    text = trimmed(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string DefaultsValueConversion::text(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

std::optional<std::string> DefaultsValueConversion::string(const PropertyList& value) {
    if (const auto* text = value.string()) {
        return *text;
    }
    if (const auto* integer = value.integer()) {
        return (integer->negative && integer->magnitude != 0 ? "-" : "") + std::to_string(integer->magnitude);
    }
    if (const auto* real = value.real()) {
        return text(*real);
    }
    if (const auto* flag = value.boolean()) {
        return std::string(*flag ? "1" : "0");
    }
    return std::nullopt;
}

double DefaultsValueConversion::doubleValue(const PropertyList& value) {
    if (const auto* real = value.real()) {
        return *real;
    }
    if (const auto* integer = value.integer()) {
        return doubleOf(*integer);
    }
    if (const auto* flag = value.boolean()) {
        return *flag ? 1 : 0;
    }
    if (const auto* text = value.string()) {
        return number(*text).value_or(0);
    }
    return 0;
}

std::int64_t DefaultsValueConversion::integer(const PropertyList& value) {
    if (const auto* integer = value.integer()) {
        if (auto exact = integer->asInt64()) {
            return *exact;
        }
        return integer->negative ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    }
    if (const auto* text = value.string()) {
        // Exact for integers beyond a double's 53 bits.
        if (auto exact = wholeInteger(*text)) {
            return *exact;
        }
    }
    return clampedToInt64(doubleValue(value));
}

bool DefaultsValueConversion::boolean(const PropertyList& value) {
    if (const auto* flag = value.boolean()) {
        return *flag;
    }
    if (const auto* integer = value.integer()) {
        return integer->magnitude != 0;
    }
    if (const auto* real = value.real()) {
        return *real != 0 && !std::isnan(*real);
    }
    if (const auto* text = value.string()) {
        const std::string_view word = trimmed(*text);
        if (equalsIgnoringCase(word, "yes") || equalsIgnoringCase(word, "true")) {
            return true;
        }
        const auto parsed = number(word);
        return parsed && *parsed != 0 && !std::isnan(*parsed);
    }
    return false;
}

} // namespace platform
