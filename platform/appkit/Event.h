#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Event types with the platform's values.
enum class EventType : unsigned {
    leftMouseDown = 1,
    leftMouseUp = 2,
    rightMouseDown = 3,
    rightMouseUp = 4,
    keyDown = 10,
    keyUp = 11,
};

// Modifier-key bits with the platform's values.
struct ModifierFlags {
    static constexpr std::uint64_t capsLock = 1ULL << 16;
    static constexpr std::uint64_t shift = 1ULL << 17;
    static constexpr std::uint64_t control = 1ULL << 18;
    static constexpr std::uint64_t option = 1ULL << 19;
    static constexpr std::uint64_t command = 1ULL << 20;
};

// Event masks: one bit per event type, 1 << type.
struct EventMask {
    static constexpr std::uint64_t leftMouseDown = 1ULL << 1;
    static constexpr std::uint64_t leftMouseUp = 1ULL << 2;
    static constexpr std::uint64_t rightMouseDown = 1ULL << 3;
    static constexpr std::uint64_t rightMouseUp = 1ULL << 4;
    static constexpr std::uint64_t keyDown = 1ULL << 10;

    static constexpr std::uint64_t of(EventType type) { return 1ULL << static_cast<unsigned>(type); }
};

// Key codes of the keys the platform's views react to.
struct KeyCode {
    static constexpr unsigned short returnKey = 36;
    static constexpr unsigned short tab = 48;
    static constexpr unsigned short escape = 53;
};

// One input event. During an action the application's current event is the
// one that caused it.
struct Event {
    EventType type = EventType::leftMouseUp;
    std::uint64_t modifierFlags = 0;
    // The moment, in seconds of uptime.
    double timestamp = 0;
    // Keyboard events only.
    unsigned short keyCode = 0;
    std::string characters;

    bool has(std::uint64_t flag) const { return (modifierFlags & flag) == flag; }
};

} // namespace platform
