#include "Folderdock/DesktopEntry.h"

#include <gtest/gtest.h>

using Folderdock::DesktopEntry;
using Keys = std::vector<std::string>;

namespace {

TEST(DesktopEntryTest, LocalizedKeysFollowTheLocaleFromMostToLeastPrecise) {
    EXPECT_EQ(DesktopEntry::localizedKeys("Name", "sr_RS.UTF-8@latin"),
              (Keys{"Name[sr_RS@latin]", "Name[sr_RS]", "Name[sr@latin]", "Name[sr]", "Name"}));
    EXPECT_EQ(DesktopEntry::localizedKeys("Name", "de_DE.UTF-8"), (Keys{"Name[de_DE]", "Name[de]", "Name"}));
    EXPECT_EQ(DesktopEntry::localizedKeys("Name", "fr@euro"), (Keys{"Name[fr@euro]", "Name[fr]", "Name"}));
    EXPECT_EQ(DesktopEntry::localizedKeys("Name", "pt"), (Keys{"Name[pt]", "Name"}));
    for (const char* plain : {"", "C", "C.UTF-8", "POSIX"}) {
        EXPECT_EQ(DesktopEntry::localizedKeys("Name", plain), Keys{"Name"}) << plain;
    }
}

TEST(DesktopEntryTest, NameIsTakenFromTheEntryGroupInTheBestLocale) {
    const auto entry = DesktopEntry::parse("# Name=Comment\r\n"
                                           "Name=Before the group\n"
                                           "[Desktop Entry]\r\n"
                                           "Name = Files\r\n"
                                           "Name[de]=Dateien\n"
                                           "Name[de_CH]=Dateie\n"
                                           "Name=Second value\n"
                                           "\n"
                                           "[Desktop Action window]\n"
                                           "Name[fr]=Nouvelle fenêtre\n");
    EXPECT_EQ(entry.name("de_CH.UTF-8"), "Dateie");
    EXPECT_EQ(entry.name("de_AT.UTF-8"), "Dateien");
    EXPECT_EQ(entry.name("fr_FR.UTF-8"), "Files");
    EXPECT_EQ(entry.name(""), "Files");
    EXPECT_TRUE(entry.isShown());
}

TEST(DesktopEntryTest, ValuesHaveTheirEscapesResolved) {
    const auto entry = DesktopEntry::parse("[Desktop Entry]\nName=Tabs\\tand\\sspaces\\\\ \\x\\\n");
    EXPECT_EQ(entry.name("C"), "Tabs\tand spaces\\ \\x\\");
}

TEST(DesktopEntryTest, WithoutANameOrGroupThereIsNoName) {
    EXPECT_EQ(DesktopEntry::parse("Name=Loose\n").name("C"), std::nullopt);
    EXPECT_EQ(DesktopEntry::parse("[Desktop Entry]\nExec=x\nName[de]=Nur Deutsch\n").name("C"), std::nullopt);
    EXPECT_EQ(DesktopEntry::parse("").name("C"), std::nullopt);
}

TEST(DesktopEntryTest, NoDisplayOrHiddenSetToTrueHideTheEntry) {
    EXPECT_FALSE(DesktopEntry::parse("[Desktop Entry]\nNoDisplay=true\n").isShown());
    EXPECT_FALSE(DesktopEntry::parse("[Desktop Entry]\nHidden = true\n").isShown());
    EXPECT_TRUE(DesktopEntry::parse("[Desktop Entry]\nNoDisplay=false\nHidden=false\n").isShown());
    EXPECT_TRUE(DesktopEntry::parse("[Desktop Entry]\nNoDisplay=True\n").isShown());
    EXPECT_TRUE(DesktopEntry::parse("[Other]\nHidden=true\n").isShown());
}

} // namespace
