#pragma once

namespace platform {

// The platform's calendar-unit bits, as stored in masks of allowed units.
struct CalendarUnit {
    static constexpr unsigned day = 16;
    static constexpr unsigned hour = 32;
    static constexpr unsigned minute = 64;
    static constexpr unsigned second = 128;
};

} // namespace platform
