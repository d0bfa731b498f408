#include "platform/time/Calendar.h"

#include "platform/time/IcuSupport.h"

#include <unicode/gregocal.h>

#include <cmath>
#include <stdexcept>

namespace platform {

using icu_support::dateFromIcuMilliseconds;
using icu_support::icuMilliseconds;

struct Calendar::Prototype {
    std::unique_ptr<icu::Calendar> calendar;
};

namespace {

constexpr int strictSearchDays = 7;

// A private copy of the prototype, set to `date`; nothing if ICU cannot hold it.
std::unique_ptr<icu::Calendar> calendarAt(const icu::Calendar& prototype, Date date) {
    auto milliseconds = icuMilliseconds(date);
    if (!milliseconds) return nullptr;
    std::unique_ptr<icu::Calendar> calendar(prototype.clone());
    if (!calendar) return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    calendar->setTime(*milliseconds, status);
    if (U_FAILURE(status)) return nullptr;
    return calendar;
}

std::optional<Date> timeOf(icu::Calendar& calendar) {
    UErrorCode status = U_ZERO_ERROR;
    UDate milliseconds = calendar.getTime(status);
    if (U_FAILURE(status)) return std::nullopt;
    return dateFromIcuMilliseconds(milliseconds);
}

std::optional<int> field(const icu::Calendar& calendar, UCalendarDateFields which) {
    UErrorCode status = U_ZERO_ERROR;
    int value = calendar.get(which, status);
    if (U_FAILURE(status)) return std::nullopt;
    return value;
}

void setWallTime(icu::Calendar& calendar, int hour, int minute, int second) {
    calendar.set(UCAL_HOUR_OF_DAY, hour);
    calendar.set(UCAL_MINUTE, minute);
    calendar.set(UCAL_SECOND, second);
    calendar.set(UCAL_MILLISECOND, 0);
}

UCalendarWallTimeOption skippedWallTimeOption(Calendar::MatchingPolicy policy) {
    switch (policy) {
    case Calendar::MatchingPolicy::nextTime: return UCAL_WALLTIME_NEXT_VALID;
    case Calendar::MatchingPolicy::previousTimePreservingSmallerComponents: return UCAL_WALLTIME_FIRST;
    case Calendar::MatchingPolicy::nextTimePreservingSmallerComponents:
    case Calendar::MatchingPolicy::strict: return UCAL_WALLTIME_LAST;
    }
    return UCAL_WALLTIME_NEXT_VALID;
}

UCalendarDateFields icuField(Calendar::Component component) {
    switch (component) {
    case Calendar::Component::year: return UCAL_YEAR;
    case Calendar::Component::month: return UCAL_MONTH;
    case Calendar::Component::day: return UCAL_DATE;
    }
    return UCAL_DATE;
}

} // namespace

Calendar::Calendar(TimeZone timeZone, Locale locale) : timeZone_(std::move(timeZone)), locale_(std::move(locale)) {
    UErrorCode status = U_ZERO_ERROR;
    auto prototype = std::make_shared<Prototype>();
    prototype->calendar = std::make_unique<icu::GregorianCalendar>(
        icu_support::icuTimeZone(timeZone_).release(), icu_support::icuLocale(locale_), status);
    if (U_FAILURE(status)) throw std::runtime_error("ICU has no Gregorian calendar (its data is missing)");
    prototype_ = std::move(prototype);
}

Calendar Calendar::current() { return Calendar(TimeZone::current(), Locale::current(Locale::Category::time)); }

bool Calendar::isDate(Date date, Date inSameDayAs) const {
    auto first = calendarAt(*prototype_->calendar, date);
    auto second = calendarAt(*prototype_->calendar, inSameDayAs);
    if (!first || !second) return false;
    for (auto which : {UCAL_EXTENDED_YEAR, UCAL_DAY_OF_YEAR}) {
        auto a = field(*first, which);
        if (!a || a != field(*second, which)) return false;
    }
    return true;
}

Date Calendar::startOfDay(Date date) const {
    auto calendar = calendarAt(*prototype_->calendar, date);
    if (!calendar) return date;
    calendar->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    calendar->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    setWallTime(*calendar, 0, 0, 0);
    return timeOf(*calendar).value_or(date);
}

std::optional<Date> Calendar::dateBySettingHour(int hour, int minute, int second, Date of, MatchingPolicy policy,
                                                RepeatedTimePolicy repeated, SearchDirection direction) const {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
    auto calendar = calendarAt(*prototype_->calendar, of);
    if (!calendar) return std::nullopt;
    calendar->setSkippedWallTimeOption(skippedWallTimeOption(policy));
    calendar->setRepeatedWallTimeOption(repeated == RepeatedTimePolicy::first ? UCAL_WALLTIME_FIRST
                                                                             : UCAL_WALLTIME_LAST);
    for (int day = 0; day < strictSearchDays; ++day) {
        setWallTime(*calendar, hour, minute, second);
        auto result = timeOf(*calendar);
        if (!result || policy != MatchingPolicy::strict) return result;
        // ICU has moved a skipped time out of the gap; a strict match is one
        // that still shows the time asked for.
        if (field(*calendar, UCAL_HOUR_OF_DAY) == hour && field(*calendar, UCAL_MINUTE) == minute &&
            field(*calendar, UCAL_SECOND) == second)
            return result;
        UErrorCode status = U_ZERO_ERROR;
        calendar->add(UCAL_DATE, direction == SearchDirection::forward ? 1 : -1, status);
        if (U_FAILURE(status)) return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Date> Calendar::dateByAdding(Component component, int value, Date to, bool wrappingComponents) const {
    if (value == 0) return icuMilliseconds(to) ? std::optional<Date>(to) : std::nullopt;
    double wholeSeconds = std::floor(to.timeIntervalSince1970);
    double fraction = to.timeIntervalSince1970 - wholeSeconds;
    auto calendar = calendarAt(*prototype_->calendar, Date{wholeSeconds});
    if (!calendar) return std::nullopt;
    auto hour = field(*calendar, UCAL_HOUR_OF_DAY);
    auto minute = field(*calendar, UCAL_MINUTE);
    auto second = field(*calendar, UCAL_SECOND);
    if (!hour || !minute || !second) return std::nullopt;

    calendar->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    calendar->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    UErrorCode status = U_ZERO_ERROR;
    if (wrappingComponents) calendar->roll(icuField(component), value, status);
    else calendar->add(icuField(component), value, status);
    if (U_FAILURE(status)) return std::nullopt;
    // ICU's own adjustment of the wall time depends on the direction of the
    // step; setting the time again resolves gaps and repeats by the rule above.
    setWallTime(*calendar, *hour, *minute, *second);
    auto result = timeOf(*calendar);
    if (!result) return std::nullopt;
    return result->addingTimeInterval(fraction);
}

std::optional<Calendar::Components> Calendar::components(Date date) const {
    auto calendar = calendarAt(*prototype_->calendar, date);
    if (!calendar) return std::nullopt;
    auto year = field(*calendar, UCAL_EXTENDED_YEAR);
    auto month = field(*calendar, UCAL_MONTH);
    auto day = field(*calendar, UCAL_DATE);
    auto hour = field(*calendar, UCAL_HOUR_OF_DAY);
    auto minute = field(*calendar, UCAL_MINUTE);
    auto second = field(*calendar, UCAL_SECOND);
    auto weekday = field(*calendar, UCAL_DAY_OF_WEEK);
    if (!year || !month || !day || !hour || !minute || !second || !weekday) return std::nullopt;
    return Components{*year, *month + 1, *day, *hour, *minute, *second, *weekday};
}

} // namespace platform
