#include "tests/Talkclock/TalkclockTestSupport.h"

#include "platform/runloop/RunLoop.h"

#include <cmath>
#include <set>

using namespace platform;

namespace {

using Lines = std::vector<std::string>;

class ContentViewTest : public talkclock_test::TalkclockTest {
protected:
    // Shows the panel and presses its button, as the user does.
    void press(const std::string& button) {
        if (!panel()->isVisible()) {
            driver().click();
        }
        ASSERT_TRUE(views->press(button).succeeded) << button;
    }
    static void setTarget(double seconds) { Talkclock::TimerDefaults::standard()->setTarget(seconds); }
    static bool timerPending() { return std::isfinite(RunLoop::main().secondsUntilNextItem()); }
};

TEST_F(ContentViewTest, TheDefaultCountReachesTheAlarmAtTenMinutesAndRunsOnPastIt) {
    EXPECT_EQ(shownTime(), "10:00");
    press("Start");
    driver().advance(61);
    EXPECT_EQ(shownTime(), "08:59");
    driver().advance(538);
    EXPECT_EQ(shownTime(), "00:01");
    EXPECT_TRUE(events("sound").empty());

    driver().advance(1);
    EXPECT_EQ(shownTime(), "00:00");
    ASSERT_TRUE(pauses.waitFor(Talkclock::Alarm::repetitions));
    EXPECT_EQ(events("sound"), Lines(13, "sound name=\"Sosumi\""));
    driver().advance(1);
    EXPECT_EQ(shownTime(), "-00:01");
    EXPECT_EQ(content().accumulated(), 601);
    EXPECT_TRUE(content().running()) << "reaching the target does not stop the count";
    driver().advance(60);
    EXPECT_EQ(shownTime(), "-01:01");
    EXPECT_EQ(pauses.taken().size(), 13u) << "the alarm sounds once per crossing";
}

TEST_F(ContentViewTest, TheAlarmPlaysOnABackgroundThreadWhileTheMainThreadKeepsTicking) {
    setTarget(10);
    pauses.hold();
    press("Start");
    driver().advance(10);
    ASSERT_TRUE(pauses.waitFor(1));
    EXPECT_EQ(events("sound"), Lines{"sound name=\"Sosumi\""});

    // The alarm thread waits in its first pause; the count goes on without it.
    driver().advance(5);
    EXPECT_EQ(content().accumulated(), 15);
    EXPECT_EQ(shownTime(), "-00:05");
    pauses.release();
    ASSERT_TRUE(pauses.waitFor(13));

    std::set<std::thread::id> threads;
    for (const auto& [thread, seconds] : pauses.taken()) {
        threads.insert(thread);
        EXPECT_EQ(seconds, 0.25);
    }
    EXPECT_EQ(threads.size(), 1u) << "one thread plays the whole alarm";
    EXPECT_NE(*threads.begin(), std::this_thread::get_id());
}

TEST_F(ContentViewTest, ATargetRaisedWhileRunningSoundsWhenTheCountReachesIt) {
    setTarget(30);
    press("Start");
    driver().advance(20);
    setTarget(40);
    driver().advance(19);
    EXPECT_TRUE(pauses.taken().empty());
    driver().advance(1);
    EXPECT_TRUE(pauses.waitFor(13));
}

TEST_F(ContentViewTest, ATargetLoweredBelowTheCountNeverSoundsThatRun) {
    setTarget(30);
    press("Start");
    driver().advance(20);
    setTarget(10);
    EXPECT_EQ(shownTime(), "-00:10");
    driver().advance(100);
    EXPECT_EQ(content().accumulated(), 120);
    EXPECT_TRUE(pauses.taken().empty());
    EXPECT_TRUE(events("sound").empty());
}

TEST_F(ContentViewTest, StopKeepsTheCountForTheNextStartAndResetClearsIt) {
    press("Start");
    driver().advance(5);
    press("Stop");
    EXPECT_FALSE(content().running());
    // The defaults write the last count within ten seconds; then nothing is left to run.
    driver().advance(11);
    EXPECT_FALSE(timerPending()) << "the tick after Stop ends the ticker";
    driver().advance(100);
    EXPECT_EQ(content().accumulated(), 5);

    press("Start");
    driver().advance(3);
    EXPECT_EQ(content().accumulated(), 8);
    EXPECT_EQ(shownTime(), "09:52");

    press("Reset");
    EXPECT_FALSE(content().running());
    EXPECT_EQ(content().accumulated(), 0);
    EXPECT_EQ(content().target(), 600) << "Reset leaves the target";
    EXPECT_EQ(shownTime(), "10:00");
    press("Start");
    driver().advance(2);
    EXPECT_EQ(content().accumulated(), 2);
}

TEST_F(ContentViewTest, StopThenStartBeforeTheNextTickCountsOncePerSecond) {
    press("Start");
    driver().advance(0.5);
    press("Stop");
    press("Start");
    driver().advance(10);
    EXPECT_EQ(content().accumulated(), 10);
}

TEST_F(ContentViewTest, TicksWaitWhileAMenuIsTracked) {
    press("Start");
    driver().advance(2);
    RunLoop::main().pushMode(RunLoop::Mode::eventTracking);
    driver().advance(30);
    EXPECT_EQ(content().accumulated(), 2);
    RunLoop::main().popMode();
    driver().advance(3);
    EXPECT_EQ(content().accumulated(), 6) << "the late tick comes once, the missed ones are not made up";
}

TEST_F(ContentViewTest, AStoppedProgramHasNoTimerLeftAfterItsFirstTick) {
    EXPECT_TRUE(timerPending());
    driver().advance(1);
    EXPECT_FALSE(timerPending());
    EXPECT_EQ(content().accumulated(), 0);
}

TEST_F(ContentViewTest, ARestartWhileRunningResumesFromTheStoredCount) {
    press("Start");
    driver().advance(42);
    launch(Date{start + 3600});
    EXPECT_EQ(content().accumulated(), 42) << "the hour the program was away is not counted";
    EXPECT_TRUE(content().running());
    driver().advance(1);
    EXPECT_EQ(content().accumulated(), 43);
    EXPECT_EQ(shownTime(), "09:17");

    press("Stop");
    launch(Date{start + 7200});
    driver().advance(10);
    EXPECT_EQ(content().accumulated(), 43);
}

TEST_F(ContentViewTest, TheSliderSetsTheTargetOnItsCurve) {
    EXPECT_EQ(content().sliderValue(), 600) << "a placeholder until the controls first show";
    driver().click();
    EXPECT_EQ(content().sliderValue(), 18366) << "the stored target's place, once the controls show";
    EXPECT_EQ(content().target(), 600);
    ASSERT_TRUE(views->slide("*", 20000).succeeded);
    EXPECT_EQ(content().target(), 900);
    EXPECT_EQ(shownTime(), "15:00");
    ASSERT_TRUE(views->slide("*", 25000).succeeded);
    EXPECT_EQ(shownTime(), "47:00");
    ASSERT_TRUE(views->slide("*", 0).succeeded);
    EXPECT_EQ(content().target(), 10) << "the left end";
    ASSERT_TRUE(views->slide("*", 1e9).succeeded);
    EXPECT_EQ(content().target(), 43200) << "the right end";
    EXPECT_EQ(shownTime(), "12:00:00");
}

} // namespace
