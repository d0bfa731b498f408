#include "platform/headless/HeadlessEvent.h"

#include "platform/foundation/BackslashEscaping.h"

#include <cmath>
#include <sstream>

namespace platform {

namespace {

std::string number(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    std::ostringstream out;
    out.precision(15);
    out << value;
    return out.str();
}

std::string valueText(const HeadlessEvent::Value& value, bool json) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return json ? jsonString(*text) : quotedText(*text);
    }
    if (const auto* integer = std::get_if<long long>(&value)) {
        return std::to_string(*integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return number(*real);
    }
    return std::get<bool>(value) ? "true" : "false";
}

} // namespace

std::string describeValue(const HeadlessEvent::Value& value) { return valueText(value, false); }

std::string quotedText(const std::string& text) { return "\"" + BackslashEscaping::escaped(text, "\\x%02x") + "\""; }

std::string jsonString(const std::string& text) { return "\"" + BackslashEscaping::escaped(text, "\\u%04x") + "\""; }

HeadlessEvent& HeadlessEvent::with(std::string key, Value value) {
    fields.emplace_back(std::move(key), std::move(value));
    return *this;
}

const HeadlessEvent::Value* HeadlessEvent::field(const std::string& key) const {
    for (const auto& [name, value] : fields) {
        if (name == key) {
            return &value;
        }
    }
    return nullptr;
}

std::optional<std::string> HeadlessEvent::text(const std::string& key) const {
    const Value* value = field(key);
    if (value == nullptr) {
        return std::nullopt;
    }
    if (const auto* text = std::get_if<std::string>(value)) {
        return *text;
    }
    return valueText(*value, true);
}

std::string HeadlessEvent::describe() const {
    std::string out = kind;
    for (const auto& [key, value] : fields) {
        out += " " + key + "=" + valueText(value, false);
    }
    return out;
}

std::string HeadlessEvent::toJSON() const {
    std::string out = "{\"event\":" + jsonString(kind);
    for (const auto& [key, value] : fields) {
        out += "," + jsonString(key) + ":" + valueText(value, true);
    }
    return out + "}";
}

} // namespace platform
