#include "tests/Hourtrail/HourtrailTestSupport.h"

#include "Hourtrail/BrowserURL.h"

#include "platform/appkit/RunningApplication.h"
#include "platform/appkit/ScriptResult.h"
#include "platform/foundation/DebugLine.h"
#include "platform/foundation/URL.h"

#include <sstream>

using namespace platform;
using Hourtrail::ActivityTracker;
using Hourtrail::Store;
using hourtrail_test::storeOf;

namespace {

class ActivityTrackerTest : public hourtrail_test::HourtrailTest {
protected:
    ActivityTrackerTest() { setDebugOutput(&debug); }
    ~ActivityTrackerTest() override { setDebugOutput(nullptr); }
    std::ostringstream debug;
};

TEST_F(ActivityTrackerTest, EachTickCreditsTheFrontmostApplicationAndTheBrowsersHost) {
    front("Xcode");
    auto tracker = ActivityTracker::make();
    advance(61);
    server().setFrontmostApplication(std::nullopt);
    advance(1);
    server().setFrontmostApplication(RunningApplication{});
    advance(1);
    front("loginwindow");
    advance(5);
    front("Safari");
    for (const char* page : {"https://www.apple.com/mac/", "https://wwwfoo.example/", "https://WWW.Example.org/a",
                             "about:blank", "not a url"}) {
        answer("Safari", page);
        advance(1);
    }
    front("Google Chrome");
    answer("Google Chrome", "https://www.apple.com/");
    server().setScriptAnswer("Safari", ScriptResult::value("https://b.example/"));
    advance(2);
    EXPECT_EQ(tracker->store(), storeOf({{"Xcode", 61}, {"Unknown Name", 2}, {"Safari", 5}, {"Google Chrome", 2}},
                                        {{"apple.com", 3}, {"wwwfoo.example", 1}, {"WWW.Example.org", 1},
                                         {"Unknown Host", 2}}));
    EXPECT_EQ(debug.str(), "");
}

TEST_F(ActivityTrackerTest, ABrowserTheDesktopReadsIsCreditedItsPageWithoutAScript) {
    auto tracker = ActivityTracker::make();
    front("Firefox ESR");
    server().setFrontmostBrowserPage(BrowserPage{"https://www.mozilla.example/en/"});
    advance(3);
    // The browser is in front, its page not yet known.
    server().setFrontmostBrowserPage(BrowserPage{});
    advance(1);
    // A page the desktop reads comes before the script even for a browser
    // that has one (Google Chrome's script is not answered here).
    front("Google Chrome");
    server().setFrontmostBrowserPage(BrowserPage{"http://chrome.example:8080/x"});
    advance(2);
    EXPECT_EQ(tracker->store(), storeOf({{"Firefox ESR", 4}, {"Google Chrome", 2}},
                                        {{"mozilla.example", 3}, {"Unknown Host", 1}, {"chrome.example", 2}}));
    EXPECT_EQ(debug.str(), "");
}

// The browsers understand these texts only; the headless ones answer any script.
TEST(BrowserScriptTest, AsksEachBrowserForThePageInFront) {
    EXPECT_EQ(Hourtrail::browserScript("Google Chrome"),
              "tell app \"Google Chrome\" to get the url of the active tab of window 1");
    EXPECT_EQ(Hourtrail::browserScript("Safari"), "tell application \"Safari\" to return URL of front document");
    EXPECT_EQ(Hourtrail::browserScript("safari"), std::nullopt);
}

TEST_F(ActivityTrackerTest, SavesEveryTenSecondsWhileRunningAndResetsAtOnceWhilePaused) {
    front("Xcode");
    auto tracker = ActivityTracker::make();
    advance(9);
    EXPECT_EQ(stored(*tracker), std::nullopt);
    advance(10);
    EXPECT_EQ(stored(*tracker), storeOf({{"Xcode", 10}}));

    // Paused from 19 s to 49 s: no credits, and the saves at 20, 30 and 40 s skip.
    tracker->togglePause();
    UserDefaults::standard().removeObject(ActivityTracker::storeKey);
    advance(30);
    EXPECT_EQ(stored(*tracker), std::nullopt);
    tracker->togglePause();
    advance(1);
    EXPECT_EQ(stored(*tracker), storeOf({{"Xcode", 20}}));

    tracker->togglePause();
    tracker->resetTimes();
    EXPECT_EQ(stored(*tracker), Store{});
    EXPECT_EQ(tracker->store(), Store{});
    EXPECT_FALSE(tracker->trackerRunning());
}

// Saves hand over only what changed; what is written must still be the
// whole store: the totals of earlier runs, this run's credits and resets.
TEST_F(ActivityTrackerTest, EverySaveWritesTheWholeStoreThoughOnlyChangesAreHandedOver) {
    store(storeOf({{"Mail", 100}, {"Xcode", 7}}, {{"apple.com", 50}}));
    front("Xcode");
    auto tracker = ActivityTracker::make();
    advance(10);
    EXPECT_EQ(stored(*tracker), storeOf({{"Mail", 100}, {"Xcode", 17}}, {{"apple.com", 50}}));

    // Saves queued behind one another are written in order.
    front("Safari");
    answer("Safari", "https://www.apple.com/");
    advance(1);
    tracker->saveStore();
    tracker->resetTimes();
    advance(1);
    tracker->saveStore();
    front("Mail");
    advance(1);
    tracker->saveStore();
    EXPECT_EQ(stored(*tracker), storeOf({{"Safari", 1}, {"Mail", 1}}, {{"apple.com", 1}}));
    EXPECT_EQ(stored(*tracker), tracker->store());

    // A new run's copy starts from what was written.
    tracker.reset();
    front("Xcode");
    tracker = ActivityTracker::make();
    advance(10);
    EXPECT_EQ(stored(*tracker), storeOf({{"Safari", 1}, {"Mail", 1}, {"Xcode", 10}}, {{"apple.com", 1}}));

    // A reset before a run's first save: nothing of the earlier runs comes back.
    tracker.reset();
    tracker = ActivityTracker::make();
    tracker->resetTimes();
    front("Mail");
    advance(10);
    EXPECT_EQ(stored(*tracker), storeOf({{"Mail", 10}}));
}

TEST_F(ActivityTrackerTest, ADamagedStoredValueGivesTheEmptyStoreAndIsLeftAlone) {
    auto noWebsites = PropertyListEncoder::encodeToTree(storeOf({{"Xcode", 100}}));
    noWebsites.dictionary()->remove("webActivities");
    auto textSeconds = noWebsites;
    textSeconds.dictionary()->set("webActivities", PropertyListDictionary{});
    textSeconds.dictionary()->find("activities")->dictionary()->set(
        "Xcode", PropertyListDictionary{{"title", "Xcode"}, {"accumulated", "100"}});
    for (const auto& damaged : {noWebsites, textSeconds, PropertyList(PropertyListArray{})}) {
        store(damaged);
        const auto before = UserDefaults::standard().data(ActivityTracker::storeKey);
        EXPECT_EQ(ActivityTracker::make()->store(), Store{});
        EXPECT_EQ(UserDefaults::standard().data(ActivityTracker::storeKey), before);
    }
}

TEST_F(ActivityTrackerTest, TimersDoNotKeepTheTrackerAlive) {
    front("Xcode");
    std::weak_ptr<ActivityTracker> tracker = ActivityTracker::make();
    EXPECT_TRUE(tracker.expired());
    advance(20);
    EXPECT_EQ(stored(), std::nullopt);
}

} // namespace
