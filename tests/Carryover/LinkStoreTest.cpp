#include "tests/Carryover/CarryoverTestSupport.h"

#include "Carryover/LinkStore.h"

#include "platform/foundation/DebugLine.h"
#include "platform/plist/PropertyListCoding.h"

#include <limits>
#include <sstream>

using namespace platform;
using Carryover::Link;
using Carryover::LinkStore;

namespace {

struct RecordingShell : Carryover::LinkStoreDelegate {
    int iconUpdates = 0;
    int sounds = 0;
    void updateIcon() override { ++iconUpdates; }
    void playDropSound() override { ++sounds; }
};

URL url(std::string_view text) { return URL::fromString(text).value(); }

Link link(std::string_view text, std::string title) { return Link{url(text), std::move(title)}; }

class LinkStoreTest : public carryover_test::CarryoverTest {
protected:
    // A fresh start of the program: schedules of earlier runs are gone.
    std::shared_ptr<LinkStore> start(Date at) {
        RunLoop::main().reset();
        startClock(at);
        auto links = LinkStore::load(defaults());
        links->setDelegate(shell);
        links->setupDateForwarding();
        return links;
    }

    // The next timed rollover comes exactly `seconds` from now.
    void expectRolloverAfter(const LinkStore& links, double seconds) {
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
    links->addLink(url("https://a.example/"), "A");
    expectRolloverAfter(*links, hours(11));
    EXPECT_EQ(links->lastLog(), newYork(2026, 6, 11, 2));
    EXPECT_EQ(links->store().storedLinks, std::vector{link("https://a.example/", "A")});
    EXPECT_TRUE(links->store().newLinks.empty());
    EXPECT_EQ(defaults().doubleValue(LinkStore::mostRecentLogKey), links->lastLog().timeIntervalSince1970);
    expectRolloverAfter(*links, hours(24));

    // Made at 01:00, it skips the 02:00 an hour away.
    auto early = start(newYork(2026, 6, 20, 1));
    expectRolloverAfter(*early, hours(25));
}

TEST_F(LinkStoreTest, DaylightSavingChangesMoveTheRolloverByTheCalendarsPolicies) {
    // 02:00 of March 8 does not exist: the first moment after the gap, 03:00,
    // which the next day's target keeps; then back to 02:00.
    auto spring = start(newYork(2026, 3, 7, 15));
    expectRolloverAfter(*spring, hours(11));
    EXPECT_EQ(spring->lastLog(), newYork(2026, 3, 8, 3));
    expectRolloverAfter(*spring, hours(24));
    expectRolloverAfter(*spring, hours(23));
    EXPECT_EQ(spring->lastLog(), newYork(2026, 3, 10, 2));

    // On November 1, 01:30 (the first of two) is 1.5 hours before 02:00.
    auto fall = start(newYork(2026, 11, 1, 1, 30));
    expectRolloverAfter(*fall, hours(25.5));
    EXPECT_EQ(fall->lastLog(), newYork(2026, 11, 2, 2));
    auto evening = start(newYork(2026, 10, 31, 15));
    expectRolloverAfter(*evening, hours(12));
}

TEST_F(LinkStoreTest, DropBeforeTwoForwardsOlderLinksAndWaitsForThatMorningsRollover) {
    auto links = start(newYork(2026, 6, 10, 15));
    links->addLink(url("https://a.example/"), "a");
    RunLoop::main().advance(hours(11)); // 02:00: a is forwarded
    RunLoop::main().advance(hours(8));
    links->addLink(url("https://c.example/"), "c");
    RunLoop::main().advance(hours(15)); // 01:00 of the next day
    links->addLink(url("https://b.example/"), "b");
    EXPECT_EQ(links->store().storedLinks, (std::vector{link("https://a.example/", "a"), link("https://c.example/", "c")}));
    EXPECT_EQ(links->store().newLinks, std::vector{link("https://b.example/", "b")});

    RunLoop::main().advance(hours(1));
    EXPECT_EQ(links->store().storedLinks.back(), link("https://b.example/", "b"));

    // The drop's rollover and the 02:00 one each scheduled the next morning.
    const int updates = shell->iconUpdates;
    RunLoop::main().advance(hours(24));
    EXPECT_EQ(shell->iconUpdates, updates + 2);
    EXPECT_EQ(links->store().storedLinks.size(), 3u);
}

TEST_F(LinkStoreTest, DaysWithoutTheProgramLeavePendingLinksUntilTheFirstDrop) {
    auto links = start(newYork(2026, 6, 10, 15));
    links->forwardLinks();
    links->addLink(url("https://a.example/"), std::nullopt);
    links.reset();
    UserDefaults::resetStandard();

    auto later = start(newYork(2026, 6, 14, 10));
    EXPECT_EQ(later->lastLog(), newYork(2026, 6, 10, 15));
    EXPECT_EQ(later->store().newLinks, std::vector{link("https://a.example/", "a.example")});
    EXPECT_TRUE(later->store().storedLinks.empty());

    later->addLink(url("https://b.example/"), std::nullopt);
    EXPECT_EQ(later->store().storedLinks, std::vector{link("https://a.example/", "a.example")});
    EXPECT_EQ(later->store().newLinks, std::vector{link("https://b.example/", "b.example")});
}

TEST_F(LinkStoreTest, ScheduleDoesNotKeepItsOwnerAlive) {
    std::weak_ptr<LinkStore> weak = start(newYork(2026, 6, 10, 15));
    EXPECT_TRUE(weak.expired());
    RunLoop::main().advance(hours(12));
    EXPECT_FALSE(defaults().object(LinkStore::mostRecentLogKey).has_value());
}

TEST_F(LinkStoreTest, UncomputableTargetIsReportedAndNothingIsScheduled) {
    std::ostringstream output;
    setDebugOutput(&output);
    auto links = start(Date{2e14});
    setDebugOutput(nullptr);
    EXPECT_EQ(output.str(), "\"Error setting up date forwarding\"\n");
    EXPECT_EQ(RunLoop::main().secondsUntilNextItem(), std::numeric_limits<double>::infinity());
}

TEST_F(LinkStoreTest, TitlesComeFromTheDropOrTheHost) {
    auto links = start(newYork(2026, 6, 10, 15));
    links->addLink(url("https://a.example/x"), "");
    links->addLink(url("https://b.example/y"), std::nullopt);
    links->addLink(url("mailto:someone@example.com"), std::nullopt);
    links->addLink(url("https://b.example/y"), "Again");
    const std::vector expected{link("https://a.example/x", ""), link("https://b.example/y", "b.example"),
                               link("mailto:someone@example.com", ""), link("https://b.example/y", "Again")};
    EXPECT_EQ(links->store().newLinks, expected);
    EXPECT_EQ(shell->sounds, 4);
    auto saved = defaults().data(LinkStore::storeKey);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(PropertyListDecoder::decode<Carryover::Store>(*saved), links->store());
}

TEST_F(LinkStoreTest, OpeningEmptiesTheListButKeepsLinksNothingOpened) {
    auto links = start(newYork(2026, 6, 10, 15));
    for (const char* text : {"https://a.example/", "nohandler:b", "https://c.example/", "nohandler:d"}) {
        links->addLink(url(text), "");
    }
    links->forwardLinks();
    links->addLink(url("https://e.example/"), "");

    std::vector<std::string> tried;
    auto open = [&](const URL& u) {
        tried.push_back(u.relativeString());
        return u.scheme() != "nohandler";
    };
    links->takeListForOpening(false, open);
    EXPECT_EQ(tried, (std::vector<std::string>{"https://a.example/", "nohandler:b", "https://c.example/", "nohandler:d"}));
    EXPECT_EQ(links->store().storedLinks, (std::vector{link("nohandler:b", ""), link("nohandler:d", "")}));
    EXPECT_EQ(links->store().newLinks.size(), 1u);

    links->takeListForOpening(true, open);
    EXPECT_TRUE(links->store().newLinks.empty());
    EXPECT_EQ(links->store().storedLinks.size(), 2u);
    EXPECT_EQ(PropertyListDecoder::decode<Carryover::Store>(*defaults().data(LinkStore::storeKey)), links->store());
}

TEST_F(LinkStoreTest, UnreadableValuesGiveTheEmptyStateAndStayUntilTheNextSave) {
    const Data missingNewLinks = BinaryPropertyList::write(PropertyListDictionary{
        {"storedLinks", PropertyListArray{PropertyListEncoder::encodeToTree(link("https://a.example/", "A"))}}});
    defaults().set(PropertyList(missingNewLinks), LinkStore::storeKey);
    defaults().set("yesterday", LinkStore::mostRecentLogKey);

    auto links = start(newYork(2026, 6, 10, 15));
    EXPECT_EQ(links->store(), Carryover::Store{});
    EXPECT_EQ(links->lastLog(), Date::now());
    EXPECT_EQ(defaults().data(LinkStore::storeKey), missingNewLinks);
    EXPECT_EQ(defaults().string(LinkStore::mostRecentLogKey), "yesterday");
    links->saveStore();
    EXPECT_EQ(PropertyListDecoder::decode<Carryover::Store>(*defaults().data(LinkStore::storeKey)), Carryover::Store{});

    defaults().set("not data", LinkStore::storeKey);
    defaults().set(PropertyList::integer(1'781'000'000), LinkStore::mostRecentLogKey);
    auto again = start(newYork(2026, 6, 10, 15));
    EXPECT_EQ(again->store(), Carryover::Store{});
    EXPECT_EQ(again->lastLog(), Date{1'781'000'000});
}

} // namespace
