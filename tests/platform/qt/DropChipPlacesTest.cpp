#include "platform/qt/DropChipPlaces.h"

#include "platform/defaults/DefaultsFile.h"
#include "tests/support/TemporaryHome.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using platform::DefaultsFile;
using platform::DropChipPlaces;
using platform::PropertyList;
using platform::PropertyListDictionary;

namespace {

class DropChipPlacesTest : public ::testing::Test {
protected:
    menulets::testing::TemporaryHome home;
    std::string path = home.path() + "/drop-chips.plist";
    QString earlierPath = QString::fromStdString(home.path() + "/drop-chips.conf");
    DropChipPlaces places{path, earlierPath};

    // The slots that `count` processes started at the same moment claim, one chip each.
    std::vector<int> claimedTogether(int count) {
        std::vector<std::pair<pid_t, int>> children;
        for (int index = 0; index < count; ++index) {
            int pipe[2];
            EXPECT_EQ(::pipe(pipe), 0);
            const pid_t child = ::fork();
            if (child == 0) {
                const int slot = places.claimSlot(QStringLiteral("dev.menulets.Program%1/0").arg(index));
                (void)!::write(pipe[1], &slot, sizeof slot);
                ::_exit(0);
            }
            ::close(pipe[1]);
            children.emplace_back(child, pipe[0]);
        }
        std::vector<int> claimed;
        for (const auto& [child, output] : children) {
            int slot = -1;
            EXPECT_EQ(::read(output, &slot, sizeof slot), ssize_t(sizeof slot));
            ::close(output);
            ::waitpid(child, nullptr, 0);
            claimed.push_back(slot);
        }
        std::sort(claimed.begin(), claimed.end());
        return claimed;
    }
};

// Programs started together at login must each get a slot of their own,
// and none may lose what another wrote.
TEST_F(DropChipPlacesTest, ProgramsStartedTogetherClaimDifferentSlots) {
    for (int round = 0; round < 10; ++round) {
        ::unlink(path.c_str());
        ASSERT_EQ(claimedTogether(6), (std::vector<int>{0, 1, 2, 3, 4, 5})) << "round " << round;
        const auto stored = DefaultsFile(path).read();
        ASSERT_EQ(stored.values.size(), 6u) << "round " << round;
    }
}

TEST_F(DropChipPlacesTest, AChipKeepsItsSlotPlaceAndHiding) {
    const QString starhop = QStringLiteral("dev.menulets.Starhop/0");
    const QString urlstash = QStringLiteral("dev.menulets.Urlstash/0");
    EXPECT_EQ(places.claimSlot(starhop), 0);
    EXPECT_EQ(places.claimSlot(urlstash), 1);
    EXPECT_EQ(places.claimSlot(starhop), 0);
    places.setPlace(urlstash, QPoint(-12, 340));
    places.setHidden(starhop, true);

    const DropChipPlaces::Chip kept = DropChipPlaces(path, earlierPath).chip(urlstash);
    EXPECT_EQ(kept.place, QPoint(-12, 340));
    EXPECT_FALSE(kept.hidden);
    EXPECT_EQ(kept.slot, 1);
    EXPECT_TRUE(places.chip(starhop).hidden);
    EXPECT_FALSE(places.chip(starhop).place);
    EXPECT_FALSE(places.chip(QStringLiteral("dev.menulets.Carryover/0")).slot);
}

// What earlier versions kept in Qt's INI file is what a chip starts with,
// and the first change carries all of it over.
TEST_F(DropChipPlacesTest, TheEarlierFileIsTakenOverWholeAtTheFirstChange) {
    {
        QSettings earlier(earlierPath, QSettings::IniFormat);
        earlier.setValue(QStringLiteral("dev.menulets.Starhop/0/slot"), 0);
        earlier.setValue(QStringLiteral("dev.menulets.Starhop/0/place"), QPoint(500, 60));
        earlier.setValue(QStringLiteral("dev.menulets.Pricetray/0/slot"), 1);
        earlier.setValue(QStringLiteral("dev.menulets.Pricetray/0/hidden"), true);
    }
    EXPECT_EQ(places.chip(QStringLiteral("dev.menulets.Starhop/0")).place, QPoint(500, 60));
    EXPECT_TRUE(places.chip(QStringLiteral("dev.menulets.Pricetray/0")).hidden);

    EXPECT_EQ(places.claimSlot(QStringLiteral("dev.menulets.Carryover/0")), 2);
    ::unlink(earlierPath.toUtf8().constData());
    EXPECT_EQ(places.chip(QStringLiteral("dev.menulets.Starhop/0")).place, QPoint(500, 60));
    EXPECT_EQ(places.chip(QStringLiteral("dev.menulets.Pricetray/0")).slot, 1);
}

// A hand-edited or damaged file: what cannot be used is passed over, and a
// claim replaces only the claiming chip's unusable entry.
TEST_F(DropChipPlacesTest, UnusableEntriesArePassedOver) {
    PropertyListDictionary stored;
    stored.set("dev.menulets.Starhop/0", PropertyList("not a chip"));
    stored.set("dev.menulets.Urlstash/0",
               PropertyListDictionary{{"slot", PropertyList::integer(-3)}, {"x", PropertyList::integer(1LL << 40)},
                                      {"y", PropertyList::integer(5)}, {"hidden", PropertyList("yes")}});
    stored.set("dev.menulets.Pricetray/0", PropertyListDictionary{{"slot", PropertyList::integer(0)}});
    ASSERT_TRUE(DefaultsFile(path).write(stored));

    const DropChipPlaces::Chip urlstash = places.chip(QStringLiteral("dev.menulets.Urlstash/0"));
    EXPECT_FALSE(urlstash.place);
    EXPECT_FALSE(urlstash.slot);
    EXPECT_FALSE(urlstash.hidden);
    EXPECT_EQ(places.claimSlot(QStringLiteral("dev.menulets.Starhop/0")), 1);
    EXPECT_EQ(places.claimSlot(QStringLiteral("dev.menulets.Urlstash/0")), 2);
    EXPECT_EQ(places.chip(QStringLiteral("dev.menulets.Pricetray/0")).slot, 0);
}

} // namespace
