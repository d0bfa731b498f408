#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One change of a zone's offset from UTC: from `at` (seconds since 1970, UTC)
// local time is UTC plus `offset` seconds.
struct ZoneTransition {
    std::int64_t at = 0;
    std::int32_t offset = 0;
    bool isDaylightTime = false;
    std::string abbreviation;
};

// A zone given the POSIX way, as TZ may hold it and as zone files end:
// "JST-9", "CET-1CEST,M3.5.0,M10.5.0/3", "<-03>3", "EET-2EEST,M4.5.5/0,M10.5.4/24".
// Offsets there count west of Greenwich (EST5 is five hours behind UTC); the
// rule's dates are Mm.w.d (day d of week w of month m, week 5 the last),
// Jn (day n of the year, February 29 never counted) or n (day n from 0,
// counting February 29); times may be negative or past 24 hours.
class PosixTimeZoneRule {
public:
    // Nothing for text that is not such a rule.
    static std::optional<PosixTimeZoneRule> parse(std::string_view text);

    std::int32_t standardOffset() const { return standardOffset_; }
    const std::string& standardAbbreviation() const { return standardAbbreviation_; }
    bool hasDaylightTime() const { return daylight_.has_value(); }

    // The zone's changes within a calendar year (one to start daylight time,
    // one to end it, in the order they happen); none without daylight time.
    std::vector<ZoneTransition> transitionsIn(int year) const;

private:
    struct Day {
        enum class Kind { monthWeekDay, julianWithoutLeapDay, dayOfYear } kind = Kind::monthWeekDay;
        int month = 0, week = 0, weekday = 0, day = 0;
        std::int32_t time = 2 * 3600;
        // Days since 1970-01-01 of this day in `year`.
        std::int64_t in(int year) const;
    };
    struct Daylight {
        std::int32_t offset = 0;
        std::string abbreviation;
        Day start, end;
    };

    std::int32_t standardOffset_ = 0;
    std::string standardAbbreviation_;
    std::optional<Daylight> daylight_;

    friend class PosixRuleParser;
};

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day);
// The calendar year a day (since 1970-01-01) falls in.
int civilYear(std::int64_t days);

} // namespace platform
