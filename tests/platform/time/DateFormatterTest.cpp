#include "platform/time/DateFormatter.h"

#include "TimeTestSupport.h"

#include <gtest/gtest.h>

using platform::DateFormatter;
using platform::Locale;
using platform::TimeZone;
using time_test::utc;

namespace {

DateFormatter fullDate(const char* locale, const char* zone) {
    DateFormatter formatter;
    formatter.dateStyle = DateFormatter::Style::fullStyle;
    formatter.locale = Locale(locale);
    formatter.timeZone = TimeZone::withIdentifier(zone);
    return formatter;
}

} // namespace

TEST(DateFormatter, FullDateInTheLocaleAndTimeZone) {
    auto lateEvening = utc(2026, 12, 7, 3, 0); // 22:00 on December 6 in New York
    EXPECT_EQ(fullDate("en_US", "America/New_York").string(lateEvening), "Sunday, December 6, 2026");
    EXPECT_EQ(fullDate("de_DE", "America/New_York").string(lateEvening), "Sonntag, 6. Dezember 2026");
    EXPECT_EQ(fullDate("en_US", "UTC").string(lateEvening), "Monday, December 7, 2026");
}

TEST(DateFormatter, TimeStylesAndNoStyle) {
    auto formatter = fullDate("en_US", "America/New_York");
    formatter.dateStyle = DateFormatter::Style::shortStyle;
    formatter.timeStyle = DateFormatter::Style::shortStyle;
    EXPECT_EQ(formatter.string(utc(2026, 12, 6, 20, 45)), "12/6/26, 3:45\u202fPM");
    formatter.dateStyle = formatter.timeStyle = DateFormatter::Style::noStyle;
    EXPECT_EQ(formatter.string(utc(2026, 12, 6, 20, 45)), "");
}

TEST(DateFormatter, DefaultsToTheCurrentLocaleAndZone) {
    time_test::ScopedEnvironment environment{{"LC_ALL", std::nullopt}, {"LC_TIME", "de_DE.UTF-8"}, {"TZ", "Asia/Tokyo"}};
    DateFormatter formatter;
    formatter.dateStyle = DateFormatter::Style::fullStyle;
    EXPECT_EQ(formatter.string(utc(2026, 12, 6, 20, 0)), "Montag, 7. Dezember 2026");
}
