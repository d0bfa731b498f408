#include "platform/time/TimeZone.h"

#include "TimeTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using platform::TimeZone;
using time_test::ScopedEnvironment;

TEST(TimeZone, KnowsTheNamesOfTheTzDatabase) {
    ASSERT_TRUE(TimeZone::withIdentifier("America/New_York"));
    EXPECT_EQ(TimeZone::withIdentifier("America/New_York")->identifier(), "America/New_York");
    EXPECT_TRUE(TimeZone::withIdentifier("UTC"));
    EXPECT_FALSE(TimeZone::withIdentifier("Nowhere/Atlantis"));
    EXPECT_FALSE(TimeZone::withIdentifier(""));
}

TEST(TimeZone, CurrentReadsTZ) {
    const std::pair<const char*, const char*> cases[] = {
        {":America/New_York", "America/New_York"},
        {"America/New_York", "America/New_York"},
        {"UTC", "UTC"},
        {":/usr/share/zoneinfo/Europe/Berlin", "Europe/Berlin"},
        {"Nowhere/Atlantis", "UTC"},
        {"", "UTC"},
    };
    for (const auto& [tz, expected] : cases) {
        ScopedEnvironment environment{{"TZ", tz}};
        EXPECT_EQ(TimeZone::current().identifier(), expected) << tz;
    }
}

TEST(TimeZone, SystemZoneComesFromTheLocaltimeLinkThenTheTimezoneFile) {
    auto folder = std::filesystem::temp_directory_path() / ("time-zone-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    auto link = folder / "localtime";
    auto file = folder / "timezone";
    auto missing = folder / "missing";

    std::filesystem::create_symlink("../usr/share/zoneinfo/posix/Asia/Tokyo", link);
    std::ofstream(file) << "  Europe/Berlin\n";
    EXPECT_EQ(TimeZone::system(link, file).identifier(), "Asia/Tokyo");
    EXPECT_EQ(TimeZone::system(missing, file).identifier(), "Europe/Berlin");
    EXPECT_EQ(TimeZone::system(missing, missing).identifier(), "UTC");

    std::filesystem::remove(link);
    std::filesystem::create_symlink("/somewhere/else", link);
    EXPECT_EQ(TimeZone::system(link, file).identifier(), "Europe/Berlin");
    std::filesystem::remove_all(folder);
}
