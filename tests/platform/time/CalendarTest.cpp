#include "platform/time/Calendar.h"

#include "TimeTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

using platform::Calendar;
using platform::Date;
using platform::Locale;
using platform::TimeZone;
using time_test::utc;
using Policy = Calendar::MatchingPolicy;
using Repeated = Calendar::RepeatedTimePolicy;
using Direction = Calendar::SearchDirection;

namespace {

// New York in 2026: clocks go from 02:00 EST to 03:00 EDT on March 8, and
// from 02:00 EDT back to 01:00 EST on November 1.
Calendar newYork() { return Calendar(*TimeZone::withIdentifier("America/New_York"), Locale("en_US")); }

} // namespace

TEST(Calendar, SettingTheHourOnAnOrdinaryDay) {
    EXPECT_EQ(newYork().dateBySettingHour(2, 0, 0, utc(2026, 12, 6, 20, 0)), utc(2026, 12, 6, 7, 0));
    EXPECT_EQ(newYork().dateBySettingHour(23, 59, 59, utc(2026, 12, 7, 4, 0)), utc(2026, 12, 7, 4, 59, 59));
    for (auto [hour, minute, second] : {std::tuple{24, 0, 0}, {25, 0, 0}, {-1, 0, 0}, {2, 60, 0}, {2, 0, 60}})
        EXPECT_FALSE(newYork().dateBySettingHour(hour, minute, second, utc(2026, 12, 6, 20, 0)));
}

TEST(Calendar, SettingAnHourThatTheSpringForwardSkips) {
    Date afternoon = utc(2026, 3, 8, 19, 0);
    EXPECT_EQ(newYork().dateBySettingHour(2, 0, 0, afternoon), utc(2026, 3, 8, 7, 0)); // 03:00 EDT
    EXPECT_EQ(newYork().dateBySettingHour(2, 30, 0, afternoon), utc(2026, 3, 8, 7, 0));
    EXPECT_EQ(newYork().dateBySettingHour(2, 30, 0, afternoon, Policy::nextTimePreservingSmallerComponents),
              utc(2026, 3, 8, 7, 30)); // 03:30 EDT
    EXPECT_EQ(newYork().dateBySettingHour(2, 30, 0, afternoon, Policy::previousTimePreservingSmallerComponents),
              utc(2026, 3, 8, 6, 30)); // 01:30 EST
    EXPECT_EQ(newYork().dateBySettingHour(2, 0, 0, afternoon, Policy::strict, Repeated::first, Direction::forward),
              utc(2026, 3, 9, 6, 0)); // 02:00 EDT the next day
    EXPECT_EQ(newYork().dateBySettingHour(2, 0, 0, afternoon, Policy::strict, Repeated::first, Direction::backward),
              utc(2026, 3, 7, 7, 0)); // 02:00 EST the day before
}

TEST(Calendar, SettingAnHourOnTheDayTheClocksGoBack) {
    Date evening = utc(2026, 11, 2, 1, 0); // 20:00 EST on November 1
    EXPECT_EQ(newYork().dateBySettingHour(2, 0, 0, evening), utc(2026, 11, 1, 7, 0)); // only 02:00 EST exists
    EXPECT_EQ(newYork().dateBySettingHour(1, 30, 0, evening, Policy::nextTime, Repeated::first),
              utc(2026, 11, 1, 5, 30)); // 01:30 EDT
    EXPECT_EQ(newYork().dateBySettingHour(1, 30, 0, evening, Policy::nextTime, Repeated::last),
              utc(2026, 11, 1, 6, 30)); // 01:30 EST
}

TEST(Calendar, AddingADayKeepsTheWallTimeAcrossDaylightSavingChanges) {
    auto calendar = newYork();
    using Component = Calendar::Component;
    // Noon to noon: 23 hours in March, 25 in November.
    EXPECT_EQ(calendar.dateByAdding(Component::day, 1, utc(2026, 3, 7, 17, 0)), utc(2026, 3, 8, 16, 0));
    EXPECT_EQ(calendar.dateByAdding(Component::day, 1, utc(2026, 10, 31, 16, 0)), utc(2026, 11, 1, 17, 0));
    // 02:00 EDT on October 31 to 02:00 EST.
    EXPECT_EQ(calendar.dateByAdding(Component::day, 1, utc(2026, 10, 31, 6, 0)), utc(2026, 11, 1, 7, 0));
    // 02:30 does not exist on March 8: the first moment after the gap.
    EXPECT_EQ(calendar.dateByAdding(Component::day, 1, utc(2026, 3, 7, 7, 30)), utc(2026, 3, 8, 7, 0));
    // 01:30 exists twice on November 1: the first, whichever way we come from.
    EXPECT_EQ(calendar.dateByAdding(Component::day, 1, utc(2026, 10, 31, 5, 30)), utc(2026, 11, 1, 5, 30));
    EXPECT_EQ(calendar.dateByAdding(Component::day, -1, utc(2026, 11, 2, 6, 30)), utc(2026, 11, 1, 5, 30));
    EXPECT_EQ(calendar.dateByAdding(Component::day, 2, utc(2026, 3, 7, 17, 0).addingTimeInterval(0.25)),
              utc(2026, 3, 9, 16, 0).addingTimeInterval(0.25));
}

TEST(Calendar, AddingMonthsAndWrapping) {
    auto calendar = newYork();
    using Component = Calendar::Component;
    Date january31 = utc(2026, 1, 31, 17, 0);
    EXPECT_EQ(calendar.dateByAdding(Component::month, 1, january31), utc(2026, 2, 28, 17, 0));
    EXPECT_EQ(calendar.dateByAdding(Component::day, 1, january31, true), utc(2026, 1, 1, 17, 0));
    EXPECT_EQ(calendar.dateByAdding(Component::year, -1, january31), utc(2025, 1, 31, 17, 0));
    EXPECT_FALSE(calendar.dateByAdding(Component::day, 1, Date{std::numeric_limits<double>::infinity()}));
}

TEST(Calendar, SameDayFollowsTheTimeZoneNotA24HourWindow) {
    Date beforeMidnight = utc(2026, 12, 7, 4, 59); // 23:59 EST on December 6
    Date afterMidnight = utc(2026, 12, 7, 5, 1);   // 00:01 EST on December 7
    EXPECT_FALSE(newYork().isDate(beforeMidnight, afterMidnight));
    EXPECT_TRUE(newYork().isDate(afterMidnight, utc(2026, 12, 8, 4, 59)));
    EXPECT_FALSE(newYork().isDate(afterMidnight, Date{std::numeric_limits<double>::quiet_NaN()}));

    Calendar london(*TimeZone::withIdentifier("UTC"), Locale("en_GB"));
    EXPECT_TRUE(london.isDate(beforeMidnight, afterMidnight));
}

TEST(Calendar, StartOfDayAndComponents) {
    EXPECT_EQ(newYork().startOfDay(utc(2026, 3, 8, 19, 0)), utc(2026, 3, 8, 5, 0));
    EXPECT_EQ(newYork().startOfDay(utc(2026, 11, 2, 4, 0)), utc(2026, 11, 1, 4, 0)); // still EDT at midnight
    EXPECT_EQ(newYork().components(utc(2026, 12, 7, 4, 59, 30)),
              (Calendar::Components{2026, 12, 6, 23, 59, 30, 1}));
}

TEST(Calendar, CurrentUsesTheEnvironment) {
    time_test::ScopedEnvironment environment{{"TZ", ":America/New_York"}, {"LC_ALL", "de_DE.UTF-8"}};
    auto calendar = Calendar::current();
    EXPECT_EQ(calendar.timeZone().identifier(), "America/New_York");
    EXPECT_EQ(calendar.locale().identifier(), "de_DE");
}
