#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A key that presses a button while its window is key. The cancel action is
// the Escape key and the default action the Return key; other shortcuts are a
// character with modifier flags (the platform's bit values).
struct KeyboardShortcut {
    enum class Key { character, escape, returnKey };

    Key key = Key::character;
    std::string character;
    std::uint64_t modifiers = 0;

    static KeyboardShortcut cancelAction() { return {Key::escape, {}, 0}; }
    static KeyboardShortcut defaultAction() { return {Key::returnKey, {}, 0}; }
    static KeyboardShortcut of(std::string character, std::uint64_t modifiers) {
        return {Key::character, std::move(character), modifiers};
    }

    // "cancelAction", "defaultAction", or the character with its modifiers.
    std::string describe() const;

    bool operator==(const KeyboardShortcut&) const = default;
};

} // namespace platform
