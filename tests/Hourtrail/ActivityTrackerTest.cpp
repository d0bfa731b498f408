#include "tests/Hourtrail/HourtrailTestSupport.h"

#include "platform/foundation/DebugLine.h"

#include <sstream>

using namespace platform;
using Hourtrail::ActivityTracker;
using Hourtrail::Store;
using hourtrail_test::storeOf;

namespace {

// Debug lines go to a buffer for one test.
class CapturedDebugOutput {
public:
    CapturedDebugOutput() { setDebugOutput(&buffer_); }
    ~CapturedDebugOutput() { setDebugOutput(nullptr); }
    std::string text() const { return buffer_.str(); }

private:
    std::ostringstream buffer_;
};

class ActivityTrackerTest : public hourtrail_test::HourtrailTest {};

TEST_F(ActivityTrackerTest, EachTickCreditsOneSecondToTheFrontmostApplication) {
    front("Xcode");
    auto tracker = ActivityTracker::make();
    advance(61);
    EXPECT_EQ(tracker->store(), storeOf({{"Xcode", 61}}));

    server().setFrontmostApplication(std::nullopt);
    advance(2);
    server().setFrontmostApplication(RunningApplication{});
    advance(1);
    front("loginwindow");
    advance(5);
    EXPECT_EQ(tracker->store(), storeOf({{"Xcode", 61}, {"Unknown Name", 3}}));
}

TEST_F(ActivityTrackerTest, BrowserPagesAreCreditedToTheirHostWithoutALowerCaseWww) {
    auto tracker = ActivityTracker::make();
    front("Safari");
    answer("Safari", "https://www.apple.com/mac/");
    advance(2);
    answer("Safari", "https://wwwfoo.example/");
    advance(1);
    answer("Safari", "https://WWW.Example.org/a");
    advance(1);
    front("Google Chrome");
    answer("Google Chrome", "https://www.apple.com/");
    advance(3);
    EXPECT_EQ(tracker->store(), storeOf({{"Safari", 4}, {"Google Chrome", 3}},
                                        {{"apple.com", 5}, {"wwwfoo.example", 1}, {"WWW.Example.org", 1}}));

    // Other applications are not asked, even when they would answer.
    front("Firefox");
    answer("Firefox", "https://www.apple.com/");
    advance(1);
    EXPECT_EQ(tracker->store().webActivities.at("apple.com").accumulated, 5);
}

TEST_F(ActivityTrackerTest, AnswersWithoutAHostGoToUnknownHostSilently) {
    CapturedDebugOutput debug;
    auto tracker = ActivityTracker::make();
    front("Safari");
    answer("Safari", "about:blank");
    advance(1);
    answer("Safari", "not a url");
    advance(1);
    server().setScriptAnswer("Safari", ScriptResult::nothing());
    advance(1);
    EXPECT_EQ(tracker->store(), storeOf({{"Safari", 3}}, {{"Unknown Host", 3}}));
    EXPECT_EQ(debug.text(), "");
}

TEST_F(ActivityTrackerTest, AFailingQueryPrintsItsErrorEachTickAndCreditsUnknownHost) {
    CapturedDebugOutput debug;
    auto tracker = ActivityTracker::make();
    front("Safari");
    server().setScriptAnswer("Safari", ScriptResult::failure("Not authorized.", -1743, "Safari"));
    advance(1);
    const std::string line =
        "\"Get Browser URL request failed with error: {\\n"
        "    NSAppleScriptErrorAppName = Safari;\\n"
        "    NSAppleScriptErrorBriefMessage = \\\"Not authorized.\\\";\\n"
        "    NSAppleScriptErrorMessage = \\\"Not authorized.\\\";\\n"
        "    NSAppleScriptErrorNumber = -1743;\\n"
        "}\"\n";
    EXPECT_EQ(debug.text(), line);
    EXPECT_EQ(tracker->store(), storeOf({{"Safari", 1}}, {{"Unknown Host", 1}}));
    advance(1);
    EXPECT_EQ(debug.text(), line + line);
}

TEST_F(ActivityTrackerTest, SavesEveryTenSecondsWhileRunningOnly) {
    front("Xcode");
    auto tracker = ActivityTracker::make();
    advance(9);
    EXPECT_EQ(stored(), std::nullopt);
    advance(1);
    EXPECT_EQ(stored(), storeOf({{"Xcode", 10}}));
    advance(9);
    EXPECT_EQ(stored(), storeOf({{"Xcode", 10}}));

    // Paused from 19 s to 49 s: no credits, and the saves at 20, 30 and 40 s skip.
    tracker->togglePause();
    defaults().removeObject(ActivityTracker::storeKey);
    advance(30);
    EXPECT_EQ(tracker->store(), storeOf({{"Xcode", 19}}));
    EXPECT_EQ(stored(), std::nullopt);

    tracker->togglePause();
    advance(1);
    EXPECT_EQ(stored(), storeOf({{"Xcode", 20}}));
}

TEST_F(ActivityTrackerTest, ResetEmptiesAndSavesAtOnceEvenWhilePaused) {
    front("Xcode");
    answer("Safari", "https://a.example/");
    auto tracker = ActivityTracker::make();
    advance(15);
    front("Safari");
    advance(5);
    tracker->togglePause();
    tracker->resetTimes();
    EXPECT_EQ(tracker->store(), Store{});
    EXPECT_EQ(stored(), Store{});
    EXPECT_FALSE(tracker->trackerRunning());
}

TEST_F(ActivityTrackerTest, LoadsTheStoredTotalsAndAddsToThem) {
    store(storeOf({{"Xcode", 100}}, {{"a.example", 70}}));
    front("Xcode");
    auto tracker = ActivityTracker::make();
    EXPECT_EQ(tracker->store(), storeOf({{"Xcode", 100}}, {{"a.example", 70}}));
    advance(1);
    EXPECT_EQ(tracker->store(), storeOf({{"Xcode", 101}}, {{"a.example", 70}}));
}

TEST_F(ActivityTrackerTest, AnUndecodableValueGivesTheEmptyStoreAndIsKeptUntilTheNextSave) {
    const PropertyList xcode = PropertyListDictionary{{"title", "Xcode"}, {"accumulated", 100.0}};
    const std::vector<PropertyList> damaged{
        PropertyListDictionary{{"activities", PropertyListDictionary{{"Xcode", xcode}}}},
        PropertyListDictionary{{"activities", PropertyListDictionary{{"Xcode", PropertyListDictionary{
                                                                                  {"title", "Xcode"},
                                                                                  {"accumulated", "100"}}}}},
                               {"webActivities", PropertyListDictionary{}}},
        PropertyListArray{},
    };
    for (const auto& tree : damaged) {
        store(tree);
        const auto before = defaults().data(ActivityTracker::storeKey);
        EXPECT_EQ(ActivityTracker::make()->store(), Store{});
        EXPECT_EQ(defaults().data(ActivityTracker::storeKey), before);
    }
    defaults().set(PropertyList(dataFromString("not a property list")), ActivityTracker::storeKey);
    EXPECT_EQ(ActivityTracker::loadStore(), Store{});
}

TEST_F(ActivityTrackerTest, TimersDoNotKeepTheTrackerAlive) {
    front("Xcode");
    auto tracker = ActivityTracker::make();
    std::weak_ptr<ActivityTracker> weak = tracker;
    tracker.reset();
    EXPECT_TRUE(weak.expired());
    advance(20);
    EXPECT_EQ(stored(), std::nullopt);
}

TEST_F(ActivityTrackerTest, SavingUnsavedCreditsWritesOnlyWhatIsNew) {
    front("Xcode");
    auto tracker = ActivityTracker::make();
    advance(5);
    tracker->togglePause();
    tracker->saveUnsavedCredits();
    EXPECT_EQ(stored(), storeOf({{"Xcode", 5}}));
    defaults().removeObject(ActivityTracker::storeKey);
    tracker->saveUnsavedCredits();
    EXPECT_EQ(stored(), std::nullopt);
}

} // namespace
