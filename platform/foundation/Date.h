#pragma once

#include <compare>

namespace platform {

// A moment in time, as seconds since 1970-01-01 00:00:00 UTC (fractions kept).
// Independent of calendars and time zones; those live in Calendar.
struct Date {
    double timeIntervalSince1970 = 0;

    // The current moment of the process's clock (real, or virtual in tests and
    // scripted runs); implemented beside the clocks in platform/runloop.
    static Date now();

    // Seconds from 2001-01-01 00:00:00 UTC, the epoch of the platform's
    // binary property lists and keyed archives.
    static constexpr double referenceDateOffset = 978307200.0;

    static Date fromTimeIntervalSinceReferenceDate(double seconds) { return Date{seconds + referenceDateOffset}; }
    double timeIntervalSinceReferenceDate() const { return timeIntervalSince1970 - referenceDateOffset; }

    Date addingTimeInterval(double seconds) const { return Date{timeIntervalSince1970 + seconds}; }
    double timeIntervalSince(Date other) const { return timeIntervalSince1970 - other.timeIntervalSince1970; }

    auto operator<=>(const Date&) const = default;
};

} // namespace platform
