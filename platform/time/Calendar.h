#pragma once

#include "platform/foundation/Date.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeZone.h"

#include <memory>
#include <optional>

namespace platform {

// The Gregorian calendar in one time zone: which calendar day a moment falls
// on, and wall-clock arithmetic that knows about daylight-saving changes.
// Copies share one immutable ICU calendar, which each operation clones.
class Calendar {
public:
    enum class Component { year, month, day };

    // What to do when the wall-clock time asked for falls into a gap, the hour
    // skipped when the clocks go forward.
    enum class MatchingPolicy {
        nextTime,                                // the first moment after the gap (02:30 -> 03:00)
        nextTimePreservingSmallerComponents,     // the time one gap later (02:30 -> 03:30)
        previousTimePreservingSmallerComponents, // the time one gap earlier (02:30 -> 01:30)
        strict,                                  // the same time on the nearest day that has it
    };
    // Which occurrence of a time that the clocks going back show twice.
    enum class RepeatedTimePolicy { first, last };
    // Where `strict` looks for a day that has the time.
    enum class SearchDirection { forward, backward };

    struct Components {
        int year = 0;    // astronomical: 0 is 1 BC
        int month = 0;   // 1...12
        int day = 0;     // 1...31
        int hour = 0;    // 0...23
        int minute = 0;
        int second = 0;
        int weekday = 0; // 1 is Sunday ... 7 is Saturday
        bool operator==(const Components&) const = default;
    };

    Calendar(TimeZone timeZone, Locale locale);

    // The user's calendar: the current time zone and the current time locale.
    static Calendar current();

    const TimeZone& timeZone() const { return timeZone_; }
    const Locale& locale() const { return locale_; }

    // Whether both moments lie on the same calendar day in this time zone.
    // Dates outside the calendar's range are on no day.
    bool isDate(Date date, Date inSameDayAs) const;

    // The first moment of the calendar day of `date` (after a gap, if the day
    // has no midnight); `date` itself if it is outside the calendar's range.
    Date startOfDay(Date date) const;

    // The moment hour:minute:second on the calendar day of `of`, resolved by the
    // policies when that wall-clock time does not exist or exists twice. The
    // direction matters only to `strict`, which searches at most a week.
    // Nothing for components out of range (hour 0...23, minute and second 0...59).
    std::optional<Date> dateBySettingHour(int hour, int minute, int second, Date of,
                                          MatchingPolicy policy = MatchingPolicy::nextTime,
                                          RepeatedTimePolicy repeated = RepeatedTimePolicy::first,
                                          SearchDirection direction = SearchDirection::forward) const;

    // Calendar arithmetic that keeps the wall-clock time of `to` (fractions of
    // a second included): 02:00 plus one day is 02:00 of the next day, however
    // long that day is. A time that does not exist on the new day becomes the
    // first moment after the gap; one that exists twice, its first occurrence.
    // A day beyond the month's end is pulled back (January 31 plus a month is
    // the last of February). Wrapping changes only the component, within the
    // next larger one (January 31 plus one day, wrapping, is January 1).
    std::optional<Date> dateByAdding(Component component, int value, Date to, bool wrappingComponents = false) const;

    std::optional<Components> components(Date date) const;

private:
    struct Prototype;

    TimeZone timeZone_;
    Locale locale_;
    std::shared_ptr<const Prototype> prototype_;
};

} // namespace platform
