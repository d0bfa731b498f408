#include "platform/time/Locale.h"

#include "TimeTestSupport.h"

#include <gtest/gtest.h>

using platform::Locale;
using time_test::ScopedEnvironment;

TEST(Locale, ReadsPosixNames) {
    EXPECT_EQ(Locale::fromPosixName("de_DE.UTF-8").identifier(), "de_DE");
    EXPECT_EQ(Locale::fromPosixName("de_DE@euro").identifier(), "de_DE");
    EXPECT_EQ(Locale::fromPosixName("sr_RS.UTF-8@latin").identifier(), "sr_Latn_RS");
    EXPECT_EQ(Locale::fromPosixName("fr").identifier(), "fr");
    for (const char* unconfigured : {"C", "POSIX", "C.UTF-8", ""})
        EXPECT_EQ(Locale::fromPosixName(unconfigured).identifier(), "en_US") << unconfigured;
}

TEST(Locale, CanonicalizesIdentifiers) {
    EXPECT_EQ(Locale("de-DE").identifier(), "de_DE");
    EXPECT_EQ(Locale("en_US_POSIX").identifier(), "en_US_POSIX");
}

TEST(Locale, CurrentFollowsThePrecedenceOfTheCLibraryPerCategory) {
    {
        ScopedEnvironment environment{{"LC_ALL", std::nullopt},
                                      {"LC_TIME", "de_DE.UTF-8"},
                                      {"LC_MONETARY", std::nullopt},
                                      {"LC_NUMERIC", ""},
                                      {"LANG", "en_GB.UTF-8"}};
        EXPECT_EQ(Locale::current(Locale::Category::time).identifier(), "de_DE");
        EXPECT_EQ(Locale::current(Locale::Category::monetary).identifier(), "en_GB");
        EXPECT_EQ(Locale::current(Locale::Category::numeric).identifier(), "en_GB");
    }
    {
        ScopedEnvironment environment{{"LC_ALL", "fr_FR.UTF-8"}, {"LC_TIME", "de_DE.UTF-8"}, {"LANG", "en_GB"}};
        EXPECT_EQ(Locale::current(Locale::Category::time).identifier(), "fr_FR");
    }
    {
        ScopedEnvironment environment{
            {"LC_ALL", ""}, {"LC_TIME", std::nullopt}, {"LC_MONETARY", std::nullopt}, {"LANG", std::nullopt}};
        EXPECT_EQ(Locale::current(Locale::Category::time).identifier(), "en_US");
    }
}
