#include "platform/qt/QtRunLoopDriver.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"
#include "tests/platform/qt/OffscreenApplication.h"
#include "tests/support/VirtualClockTest.h"

#include <gtest/gtest.h>

#include <climits>

using namespace platform;

namespace {

class QtRunLoopDriverTest : public menulets::testing::VirtualClockTest {
protected:
    void SetUp() override {
        VirtualClockTest::SetUp();
        menulets::testing::offscreenApplication();
    }
    int redraws = 0;
    QtRunLoopDriver driver{[this] { ++redraws; }};
};

TEST_F(QtRunLoopDriverTest, WaitsAreRoundedUpToWholeMillisecondsWithinTheTimersRange) {
    EXPECT_EQ(QtRunLoopDriver::timerMilliseconds(0), 0);
    EXPECT_EQ(QtRunLoopDriver::timerMilliseconds(-3), 0);
    EXPECT_EQ(QtRunLoopDriver::timerMilliseconds(0.0001), 1);
    EXPECT_EQ(QtRunLoopDriver::timerMilliseconds(1.0), 1000);
    EXPECT_EQ(QtRunLoopDriver::timerMilliseconds(2.0005), 2001);
    EXPECT_EQ(QtRunLoopDriver::timerMilliseconds(1e12), INT_MAX);
}

TEST_F(QtRunLoopDriverTest, ArmsOneTimerForTheNextDueItemAndNothingWhenIdle) {
    driver.turn();
    EXPECT_EQ(driver.armedWait(), std::nullopt) << "an idle program is never woken";
    EXPECT_EQ(redraws, 1);

    int ran = 0;
    DispatchQueue::main().async([&] { ++ran; });
    auto tick = Timer::scheduled(2.5, true, [&](Timer&) { ++ran; });
    DispatchQueue::main().asyncAfter(7, [&] { ++ran; });
    driver.turn();
    EXPECT_EQ(ran, 1) << "the queued block ran in the turn";
    EXPECT_EQ(driver.armedWait(), 2500);

    // While a menu tracks, a default-mode timer waits: only the deadline is armed.
    loop.pushMode(RunLoop::Mode::eventTracking);
    driver.turn();
    EXPECT_EQ(driver.armedWait(), 7000);
    loop.popMode();

    clock->advance(2.5);
    driver.turn();
    EXPECT_EQ(ran, 2) << "the timer fired";
    EXPECT_EQ(driver.armedWait(), 2500);
    tick->invalidate();
    driver.turn();
    EXPECT_EQ(driver.armedWait(), 4500);
    EXPECT_EQ(redraws, 5);
}

} // namespace
