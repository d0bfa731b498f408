#include "platform/time/DateComponentsFormatter.h"

#include <gtest/gtest.h>

#include <limits>

using platform::CalendarUnit;
using platform::DateComponentsFormatter;
using platform::Locale;
using Style = DateComponentsFormatter::UnitsStyle;
using Zeros = DateComponentsFormatter::ZeroFormattingBehavior;

namespace {

DateComponentsFormatter formatter(Style style, unsigned units, Zeros zeros, const char* locale = "en_US") {
    DateComponentsFormatter result;
    result.unitsStyle = style;
    result.allowedUnits = units;
    result.zeroFormattingBehavior = zeros;
    result.locale = Locale(locale);
    return result;
}

constexpr unsigned daysHoursMinutes = CalendarUnit::day | CalendarUnit::hour | CalendarUnit::minute;
constexpr unsigned minutesSeconds = CalendarUnit::minute | CalendarUnit::second;
constexpr unsigned hoursMinutesSeconds = CalendarUnit::hour | minutesSeconds;

} // namespace

TEST(DateComponentsFormatter, AbbreviatedDropsZeroUnitsAndTheRemainder) {
    auto english = formatter(Style::abbreviated, daysHoursMinutes, Zeros::defaultBehavior);
    EXPECT_EQ(daysHoursMinutes, 112u);
    EXPECT_EQ(english.string(3700), "1h 1m");
    EXPECT_EQ(english.string(90061), "1d 1h 1m");
    EXPECT_EQ(english.string(86460), "1d 1m");
    EXPECT_EQ(english.string(59), "0m");
    EXPECT_EQ(english.string(-3700), "-1h 1m");
    EXPECT_EQ(formatter(Style::abbreviated, daysHoursMinutes, Zeros::defaultBehavior, "de_DE").string(3700),
              "1 Std., 1 Min.");
}

TEST(DateComponentsFormatter, FullSpellsOutUnits) {
    EXPECT_EQ(formatter(Style::full, daysHoursMinutes, Zeros::defaultBehavior).string(90000), "1 day, 1 hour");
    EXPECT_EQ(formatter(Style::full, daysHoursMinutes, Zeros::pad).string(60), "0 days, 0 hours, 1 minute");
}

TEST(DateComponentsFormatter, PaddedPositionalAsTheCountDownShowsIt) {
    auto minutes = formatter(Style::positional, minutesSeconds, Zeros::pad);
    auto hours = formatter(Style::positional, hoursMinutesSeconds, Zeros::pad);
    EXPECT_EQ(minutesSeconds, 192u);
    EXPECT_EQ(hoursMinutesSeconds, 224u);
    EXPECT_EQ(minutes.string(600), "10:00");
    EXPECT_EQ(minutes.string(539), "08:59");
    EXPECT_EQ(minutes.string(3600), "60:00");
    EXPECT_EQ(minutes.string(59.9), "00:59");
    EXPECT_EQ(minutes.string(-5), "-00:05");
    EXPECT_EQ(minutes.string(-0.5), "00:00");
    EXPECT_EQ(hours.string(5400), "01:30:00");
    EXPECT_EQ(hours.string(3610), "01:00:10");
}

TEST(DateComponentsFormatter, DefaultSettingsArePositionalOverAllUnits) {
    DateComponentsFormatter defaults;
    defaults.locale = Locale("en_US");
    EXPECT_EQ(defaults.string(3700), "1:01:40");
    EXPECT_EQ(defaults.string(59), "0:59");
    EXPECT_EQ(defaults.string(90061), "1:01:01:01");
    EXPECT_EQ(formatter(Style::positional, minutesSeconds, Zeros::dropLeading).string(59), "59");
}

TEST(DateComponentsFormatter, GivesNothingForLengthsItCannotShow) {
    DateComponentsFormatter defaults;
    EXPECT_FALSE(defaults.string(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(defaults.string(-std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(defaults.string(1e300));
    defaults.allowedUnits = 4; // years only
    EXPECT_FALSE(defaults.string(60));
}
