#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace platform {

// One thing the platform did that the user would have seen or heard (a
// status item changed, a URL opened, a sound played), as the headless
// window server records it: a kind and named fields in a fixed order.
struct HeadlessEvent {
    using Value = std::variant<std::string, long long, double, bool>;

    std::string kind;
    std::vector<std::pair<std::string, Value>> fields;

    explicit HeadlessEvent(std::string kind) : kind(std::move(kind)) {}

    HeadlessEvent& with(std::string key, Value value);
    HeadlessEvent& with(std::string key, const char* text) { return with(std::move(key), Value(std::string(text))); }
    HeadlessEvent& with(std::string key, int number) { return with(std::move(key), Value(static_cast<long long>(number))); }
    HeadlessEvent& with(std::string key, bool flag) { return with(std::move(key), Value(flag)); }
    HeadlessEvent& with(std::string key, double number) { return with(std::move(key), Value(number)); }

    const Value* field(const std::string& key) const;
    // The field as text (strings as they are, numbers and flags written out).
    std::optional<std::string> text(const std::string& key) const;

    // "opened url=\"https://a.example/\"": the kind, then each field as
    // key=value, texts quoted with C escapes so an event stays on one line.
    std::string describe() const;
    // {"event":"opened","url":"https://a.example/"}
    std::string toJSON() const;
};

// A field's value as describe() writes it.
std::string describeValue(const HeadlessEvent::Value& value);
// Text quoted with double quotes, control characters and quotes escaped.
std::string quotedText(const std::string& text);
// A JSON string literal.
std::string jsonString(const std::string& text);

} // namespace platform
