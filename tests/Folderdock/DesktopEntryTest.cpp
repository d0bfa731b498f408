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

TEST(DesktopEntryTest, OnlyWhatTheDesktopsMenusWouldShowIsShown) {
    const std::string app = "[Desktop Entry]\nType=Application\nName=A\nExec=sh -c 'true' %U\n";
    const std::vector<std::string> gnome{"ubuntu", "GNOME"};
    const std::pair<std::string, bool> cases[] = {
        {app, true},
        {app + "NoDisplay=true\n", false},
        {app + "Hidden = true\n", false},
        {app + "NoDisplay=false\nHidden=false\n", true},
        {app + "NoDisplay=True\n", true}, // booleans are lower case
        {"[Desktop Entry]\nType=Link\nName=A\nURL=https://a.example/\n", false},
        {"[Desktop Entry]\nName=A\nExec=sh\n", false}, // no type: no application
        {"[Desktop Entry]\nType=Application\nName=A\n", false}, // nothing to start
        {"[Desktop Entry]\nType=Application\nName=A\nDBusActivatable=true\n", true},
        {"[Desktop Entry]\nType=Application\nName=A\nExec=no-such-program-here %F\n", false},
        {"[Desktop Entry]\nType=Application\nName=A\nExec=\"/bin/sh\" -c x\n", true},
        {"[Desktop Entry]\nType=Application\nName=A\nExec=/no/such/program\n", false},
        {app + "TryExec=no-such-program-here\n", false},
        {app + "TryExec=/bin/sh\n", true},
        {app + "OnlyShowIn=KDE;XFCE;\n", false},
        {app + "OnlyShowIn=KDE;GNOME;\n", true},
        {app + "NotShowIn=GNOME;\n", false},
        {app + "NotShowIn=KDE;\n", true},
        {"[Other]\nHidden=true\n[Desktop Entry]\nType=Application\nExec=sh\n", true},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(DesktopEntry::parse(text).isShown(gnome), shown) << text;
    }
    EXPECT_FALSE(DesktopEntry::parse(app + "OnlyShowIn=GNOME;\n").isShown({})) << "no desktop named, none matches";
}

} // namespace
