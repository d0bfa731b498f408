#include "platform/time/Calendar.h"
#include "platform/time/PosixTimeZoneRule.h"
#include "platform/time/TimeZone.h"
#include "platform/time/ZoneRules.h"

#include "TimeTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

using platform::Calendar;
using platform::Date;
using platform::Locale;
using platform::PosixTimeZoneRule;
using platform::TimeZone;
using platform::ZoneRules;
using time_test::ScopedEnvironment;

namespace {

const std::filesystem::path zoneFolder = "/usr/share/zoneinfo";

std::string readFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

// Moments to compare at: one a week and an hour over ten years, and each
// change of the zone's offset in those years, with the seconds around it.
std::vector<std::int64_t> momentsToCompare(const TimeZone& zone) {
    constexpr std::int64_t from = 1577836800; // 2020-01-01
    constexpr std::int64_t to = 1893456000;   // 2030-01-01
    std::set<std::int64_t> moments;
    for (std::int64_t t = from; t < to; t += 7 * 86400 + 3600) moments.insert(t);
    if (zone.systemRules()) {
        for (const auto& change : zone.systemRules()->transitions()) {
            if (change.at >= from && change.at < to) {
                for (std::int64_t t : {change.at - 1, change.at, change.at + 1, change.at + 3599}) moments.insert(t);
            }
        }
    }
    return {moments.begin(), moments.end()};
}

// The local time `date` gives for each moment, under the TZ in force, as
// "YYYY-MM-DD HH:MM:SS" lines.
std::vector<std::string> localTimesFromDate(const std::vector<std::int64_t>& moments) {
    const auto input = std::filesystem::temp_directory_path() / ("zone-moments-" + std::to_string(getpid()));
    {
        std::ofstream out(input);
        for (auto moment : moments) out << "@" << moment << "\n";
    }
    std::vector<std::string> lines;
    const std::string command = "date -f " + input.string() + " '+%Y-%m-%d %H:%M:%S'";
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char line[64];
        while (fgets(line, sizeof line, pipe)) lines.emplace_back(line, strcspn(line, "\n"));
        pclose(pipe);
    }
    std::filesystem::remove(input);
    return lines;
}

std::string localTime(const Calendar& calendar, std::int64_t moment) {
    auto parts = calendar.components(Date{static_cast<double>(moment)});
    if (!parts) return "none";
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", parts->year, parts->month, parts->day,
                  parts->hour, parts->minute, parts->second);
    return text;
}

} // namespace

// Zones whose rules changed after ICU's own data were made, or that ICU reads
// differently, and TZ in every form the C library reads: the local time must
// be the one `date` shows on the same machine, whatever its tzdata.
TEST(SystemTimeZone, LocalTimeIsTheOneDateShows) {
    if (!std::filesystem::exists(zoneFolder / "Africa/Cairo")) GTEST_SKIP() << "no zone files here";
    const std::vector<std::string> settings = {
        "Africa/Cairo", "America/Mexico_City", "Asia/Almaty", "America/Asuncion", "America/Nuuk",
        "Europe/Dublin", "Australia/Lord_Howe", "Pacific/Chatham", ":America/New_York",
        ":" + (zoneFolder / "Europe/Berlin").string(),
        "JST-9", "<-03>3", "CET-1CEST,M3.5.0,M10.5.0/3", "EET-2EEST,M4.5.5/0,M10.5.4/24",
        "<-02>2<-01>,M3.5.0/-1,M10.5.0/0", "NZST-12NZDT,M9.5.0,M4.1.0/3", "AEST-10AEDT,J275/2,J96/3",
        "EST5EDT", "GMT+5", "<+0530>-5:30"};
    for (const auto& setting : settings) {
        ScopedEnvironment environment{{"TZ", setting}};
        const TimeZone zone = TimeZone::current();
        ASSERT_TRUE(zone.systemRules()) << setting << " is read from the system";
        const Calendar calendar(zone, Locale("en_US"));
        const auto moments = momentsToCompare(zone);
        const auto expected = localTimesFromDate(moments);
        ASSERT_EQ(expected.size(), moments.size()) << "date answered for " << setting;
        int differences = 0;
        for (std::size_t i = 0; i < moments.size() && differences < 5; ++i) {
            const std::string shown = localTime(calendar, moments[i]);
            if (shown != expected[i]) {
                ++differences;
                ADD_FAILURE() << setting << " at @" << moments[i] << ": " << shown << ", date shows " << expected[i];
            }
        }
    }
}

TEST(SystemTimeZone, ACopiedLocaltimeFileGivesItsZoneNamedOrNot) {
    if (!std::filesystem::exists(zoneFolder / "Africa/Cairo")) GTEST_SKIP() << "no zone files here";
    auto folder = std::filesystem::temp_directory_path() / ("system-zone-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(zoneFolder / "Africa/Cairo", folder / "localtime");
    std::ofstream(folder / "timezone") << "Africa/Cairo\n";

    const auto named = TimeZone::system(folder / "localtime", folder / "timezone");
    EXPECT_EQ(named.identifier(), "Africa/Cairo");
    const auto unnamed = TimeZone::system(folder / "localtime", folder / "missing");
    EXPECT_EQ(unnamed.identifier(), "localtime");
    // 2024-07-01 12:00 UTC is 15:00 in Cairo's summer.
    for (const auto& zone : {named, unnamed}) {
        ASSERT_TRUE(zone.systemRules());
        EXPECT_EQ(zone.systemRules()->offsetAt(1719835200), 3 * 3600) << zone.identifier();
    }
    std::filesystem::remove_all(folder);
}

TEST(SystemTimeZone, MalformedRulesAndZoneFilesAreRefused) {
    for (const char* text : {"", "JS-9", "JST", "JST-", "JST-9X", "<-03", "<>3", "EST5EDT,M13.1.0,M11.1.0",
                             "EST5EDT,M3.2.0", "EST5EDT,M3.2.0,M11.1.0/168", "EST5EDT,J0,J100", "EST25"}) {
        EXPECT_FALSE(PosixTimeZoneRule::parse(text)) << text;
    }
    if (!std::filesystem::exists(zoneFolder / "Africa/Cairo")) GTEST_SKIP() << "no zone files here";
    const std::string cairo = readFile(zoneFolder / "Africa/Cairo");
    ASSERT_TRUE(ZoneRules::fromZoneFile(cairo));
    // Cut anywhere, a zone file is refused or read in part; never read past its end.
    for (std::size_t length = 0; length < cairo.size(); ++length) {
        (void)ZoneRules::fromZoneFile(std::string_view(cairo).substr(0, length));
    }
    // Counts far beyond the file's length.
    EXPECT_FALSE(ZoneRules::fromZoneFile("TZif2" + std::string(100, '\x7f')));
    EXPECT_FALSE(ZoneRules::fromZoneFile("not a zone file at all, but long enough to have a header"));
}
