#include "tests/Carryover/CarryoverTestSupport.h"

#include "Carryover/LinkStore.h"

#include "platform/foundation/DebugLine.h"
#include "platform/plist/BinaryPropertyList.h"
#include "platform/plist/PropertyListCoding.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

using namespace platform;
using Carryover::Link;
using Carryover::LinkStore;

namespace {

struct RecordingShell : Carryover::LinkStoreDelegate {
    int iconUpdates = 0;
    void updateIcon() override { ++iconUpdates; }
    void playDropSound() override {}
};

Link link(std::string_view text, std::string title) { return Link{URL::fromString(text).value(), std::move(title)}; }

class LinkStoreTest : public carryover_test::CarryoverTest {
protected:
    // A fresh start of the program at `at`: schedules of earlier runs are gone.
    std::shared_ptr<LinkStore> start(Date at) {
        RunLoop::main().reset();
        Clock::install(std::make_shared<VirtualClock>(at));
        auto links = LinkStore::load(UserDefaults::standard());
        links->setDelegate(shell);
        links->setupDateForwarding();
        return links;
    }
    void drop(LinkStore& links, std::string_view text) { links.addLink(URL::fromString(text).value(), std::nullopt); }

    // The next timed rollover comes exactly `seconds` from now.
    static void expectRolloverAfter(const LinkStore& links, double seconds) {
        const Date before = links.lastLog();
        RunLoop::main().advance(seconds - 1);
        EXPECT_EQ(links.lastLog(), before) << "rolled over early";
        RunLoop::main().advance(1);
        EXPECT_EQ(links.lastLog(), Date::now()) << "no rollover when due";
    }

    std::shared_ptr<RecordingShell> shell = std::make_shared<RecordingShell>();
};

TEST_F(LinkStoreTest, TimedRolloverComesAt0200OfTheDayAfterTheScheduleWasMade) {
    auto links = start(newYork(2026, 6, 10, 15));
    expectRolloverAfter(*links, hours(11));
    expectRolloverAfter(*links, hours(24));
    // The wall clock goes on while the computer sleeps: 02:00 passed in sleep rolls over on waking.
    RunLoop::main().sleep(hours(30));
    EXPECT_EQ(links->lastLog(), Date::now());
    // Made at 01:00, it skips the 02:00 an hour away.
    expectRolloverAfter(*start(newYork(2026, 6, 20, 1)), hours(25));
}

TEST_F(LinkStoreTest, DaylightSavingDaysFollowTheCalendarsPolicies) {
    // March 8 has no 02:00: the first moment after the gap, 03:00, which the
    // next day's target keeps; then back to 02:00.
    auto spring = start(newYork(2026, 3, 7, 15));
    expectRolloverAfter(*spring, hours(11));
    EXPECT_EQ(spring->lastLog(), newYork(2026, 3, 8, 3));
    expectRolloverAfter(*spring, hours(24));
    expectRolloverAfter(*spring, hours(23));
    // On November 1, the first 01:30 is 1.5 hours before 02:00.
    auto fall = start(newYork(2026, 11, 1, 1, 30));
    expectRolloverAfter(*fall, hours(25.5));
    expectRolloverAfter(*start(newYork(2026, 10, 31, 15)), hours(12));
}

TEST_F(LinkStoreTest, DropBeforeTwoForwardsOlderLinksAndWaitsForThatMorningsRollover) {
    auto links = start(newYork(2026, 6, 10, 15));
    RunLoop::main().advance(hours(19)); // 10:00, after the 02:00 rollover
    drop(*links, "https://c.example/");
    RunLoop::main().advance(hours(15)); // 01:00
    drop(*links, "https://b.example/");
    EXPECT_EQ(links->store(),
              (Carryover::Store{{link("https://c.example/", "c.example")}, {link("https://b.example/", "b.example")}}));
    RunLoop::main().advance(hours(1));
    EXPECT_EQ(links->store().storedLinks.size(), 2u);
    // The drop's rollover and the 02:00 one each scheduled one for the next morning.
    const int updates = shell->iconUpdates;
    RunLoop::main().advance(hours(24));
    EXPECT_EQ(shell->iconUpdates, updates + 2);
}

TEST_F(LinkStoreTest, ScheduleNeitherKeepsItsOwnerAliveNorComesWhenTheDateCannotBeComputed) {
    start(newYork(2026, 6, 10, 15));
    const auto startedAt = UserDefaults::standard().object(LinkStore::mostRecentLogKey);
    RunLoop::main().advance(hours(12));
    EXPECT_EQ(UserDefaults::standard().object(LinkStore::mostRecentLogKey), startedAt);

    std::ostringstream output;
    setDebugOutput(&output);
    auto links = start(Date{2e14});
    setDebugOutput(nullptr);
    EXPECT_EQ(output.str(), "\"Error setting up date forwarding\"\n");
    EXPECT_EQ(RunLoop::main().secondsUntilNextItem(), std::numeric_limits<double>::infinity());
}

TEST_F(LinkStoreTest, AnUnreadableStoreGivesTheEmptyStateAndStaysUntilTheNextSave) {
    auto& defaults = UserDefaults::standard();
    const Data missingNewLinks =
        BinaryPropertyList::write(PropertyListDictionary{{"storedLinks", PropertyListArray{}}});
    defaults.set(PropertyList(missingNewLinks), LinkStore::storeKey);
    defaults.set("yesterday", LinkStore::mostRecentLogKey);
    ASSERT_TRUE(defaults.synchronize());
    auto links = start(newYork(2026, 6, 10, 15));
    EXPECT_EQ(links->store(), Carryover::Store{});
    EXPECT_EQ(links->lastLog(), Date::now());
    EXPECT_EQ(defaults.data(LinkStore::storeKey), missingNewLinks);
    EXPECT_EQ(defaults.object(LinkStore::mostRecentLogKey), PropertyList(Date::now().timeIntervalSince1970))
        << "a moment that is no number is repaired as a missing one";

    drop(*links, "https://a.example/");
    defaults.set(PropertyList::integer(1'781'000'000), LinkStore::mostRecentLogKey);
    links = start(newYork(2026, 6, 10, 15));
    EXPECT_EQ(links->store().newLinks.size(), 1u);
    EXPECT_EQ(links->lastLog(), Date{1'781'000'000});

    // The store the drop replaced was kept, whole, in a domain of its own.
    ASSERT_TRUE(defaults.synchronize());
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(defaults.path()).parent_path())) {
        if (entry.path().filename().string().starts_with("dev.menulets.Carryover.Carryover.store.")) {
            kept.push_back(entry.path().string());
        }
    }
    ASSERT_EQ(kept.size(), 1u);
    std::ifstream in(kept[0], std::ios::binary);
    const auto keptValues = BinaryPropertyList::read(dataFromString(std::string(std::istreambuf_iterator<char>(in), {})));
    EXPECT_EQ(keptValues, PropertyList(PropertyListDictionary{{std::string(LinkStore::storeKey), PropertyList(missingNewLinks)}}));
}

TEST_F(LinkStoreTest, ALinkDroppedUnderAStoredMomentThatIsNoNumberIsNotHeldAnExtraDay) {
    UserDefaults::standard().set("yesterday", LinkStore::mostRecentLogKey);
    drop(*start(newYork(2026, 6, 10, 15)), "https://a.example/");
    auto links = start(newYork(2026, 6, 11, 9));
    std::vector<std::string> opened;
    links->takeListForOpening(false, [&](const URL& url) {
        opened.push_back(url.absoluteString());
        return true;
    });
    EXPECT_EQ(opened, std::vector<std::string>{"https://a.example/"}) << "yesterday's link is older than one day";
}

TEST_F(LinkStoreTest, ARestartDaysLaterCarriesOverTheLinksOfTheFirstDay) {
    drop(*start(newYork(2026, 6, 10, 15)), "https://a.example/");
    auto links = start(newYork(2026, 6, 15, 9)); // not running in between
    std::vector<std::string> opened;
    links->takeListForOpening(false, [&](const URL& url) {
        opened.push_back(url.absoluteString());
        return true;
    });
    EXPECT_EQ(opened, std::vector<std::string>{"https://a.example/"});
}

} // namespace
