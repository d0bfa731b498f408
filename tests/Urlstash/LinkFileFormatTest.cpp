#include "tests/platform/time/TimeTestSupport.h"

#include "Urlstash/LinkFileFormat.h"

#include <gtest/gtest.h>

using platform::URL;
using Urlstash::LinkFileFormat;

namespace {

URL url(const char* text) { return URL::fromString(text).value(); }

TEST(LinkFileFormat, NameIsTheTitleElseTheHostElseEmpty) {
    const URL page = url("https://a.example/wiki/Ruby_(language)?q=1#top");
    EXPECT_EQ(LinkFileFormat::linkLine(page, "Ruby"), "- [Ruby](https://a.example/wiki/Ruby_(language)?q=1#top) \n");
    EXPECT_EQ(LinkFileFormat::linkLine(page, ""), "- [](https://a.example/wiki/Ruby_(language)?q=1#top) \n");
    EXPECT_EQ(LinkFileFormat::linkLine(page, std::nullopt), "- [a.example](https://a.example/wiki/Ruby_(language)?q=1#top) \n");
    EXPECT_EQ(LinkFileFormat::linkLine(url("mailto:someone@b.example"), std::nullopt), "- [](mailto:someone@b.example) \n");
    EXPECT_EQ(LinkFileFormat::linkLine(url("file:///tmp/notes.txt"), std::nullopt), "- [](file:///tmp/notes.txt) \n");
}

TEST(LinkFileFormat, TheDestinationEndsWhereTheURLDoes) {
    const std::pair<const char*, const char*> cases[] = {
        {"https://a.example/wiki/Ruby_(language)", "https://a.example/wiki/Ruby_(language)"},
        {"https://a.example/a)b", "https://a.example/a%29b"},
        {"https://a.example/smile:-(", "https://a.example/smile:-%28"},
        {"https://a.example/(a))(b", "https://a.example/(a)%29%28b"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(LinkFileFormat::linkDestination(url(text)), expected) << text;
    }
    // Whatever the parser lets through that Markdown would end the link on.
    for (const auto& text : {"https://a.example/a b", "https://a.example/<b>", "https://a.example/a\\b"}) {
        if (auto odd = URL::fromString(text)) {
            const std::string destination = LinkFileFormat::linkDestination(*odd);
            EXPECT_EQ(destination.find_first_of(" <>\\"), std::string::npos) << destination;
        }
    }
}

TEST(LinkFileFormat, LinkTextStaysOnOneLineAndRendersAsWritten) {
    const std::pair<const char*, const char*> cases[] = {
        {"one\ntwo", "one two"},
        {"one\rtwo", "one two"},
        {"one\r\ntwo", "one two"},
        {"one\n\r\ntwo\r", "one  two "},
        {"one\xE2\x80\xA8two\xE2\x80\xA9three", "one two three"},
        {"[draft] a\\b ]", "\\[draft\\] a\\\\b \\]"},
        {"(parens) *stars* `ticks` \xE2\x80\xA6 caf\xC3\xA9 \xF0\x9F\x93\xA5", "(parens) *stars* `ticks` \xE2\x80\xA6 caf\xC3\xA9 \xF0\x9F\x93\xA5"},
        {"cut \xE2\x80", "cut \xEF\xBF\xBD"},
        {"stray \xFF[", "stray \xEF\xBF\xBD\\["},
        {"\t lead and trail \t", "\t lead and trail \t"},
        {"bell\a escape\x1B[31m vt\v ff\f del\x7F", "bell  escape \\[31m vt  ff  del "},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(LinkFileFormat::linkText(name), expected) << name;
    }
    EXPECT_EQ(LinkFileFormat::linkText(std::string("nul\0inside", 10)), "nul inside");
}

TEST(LinkFileFormat, DateHeadingInTheUsersLocaleAndTimeZone) {
    const platform::Date lateSunday = time_test::utc(2026, 12, 7, 4, 59); // 23:59 in New York
    time_test::ScopedEnvironment newYork{{"TZ", "America/New_York"}, {"LC_ALL", "en_US.UTF-8"}};
    EXPECT_EQ(LinkFileFormat::dateHeading(lateSunday), "\nSunday, December 6, 2026\n\n");
    time_test::ScopedEnvironment berlin{{"TZ", "Europe/Berlin"}, {"LC_ALL", "de_DE.UTF-8"}};
    EXPECT_EQ(LinkFileFormat::dateHeading(lateSunday), "\nMontag, 7. Dezember 2026\n\n");
}

} // namespace
