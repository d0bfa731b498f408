#include "platform/qt/QtRunLoopDriver.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"
#include "tests/platform/qt/OffscreenApplication.h"
#include "tests/support/VirtualClockTest.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <climits>
#include <thread>

using namespace platform;

namespace {

class QtRunLoopDriverTest : public menulets::testing::VirtualClockTest {
protected:
    void SetUp() override {
        VirtualClockTest::SetUp();
        // Qt's application first: the driver's notifier needs its event loop.
        menulets::testing::offscreenApplication();
        driver = std::make_unique<QtRunLoopDriver>([this] { ++redraws; });
    }
    int redraws = 0;
    std::unique_ptr<QtRunLoopDriver> driver;
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
    driver->turn();
    EXPECT_EQ(driver->armedWait(), std::nullopt) << "an idle program is never woken";
    EXPECT_EQ(redraws, 1);

    int ran = 0;
    DispatchQueue::main().async([&] { ++ran; });
    auto tick = Timer::scheduled(2.5, true, [&](Timer&) { ++ran; });
    DispatchQueue::main().asyncAfter(7, [&] { ++ran; });
    driver->turn();
    EXPECT_EQ(ran, 1) << "the queued block ran in the turn";
    EXPECT_EQ(driver->armedWait(), 2500);

    // While a menu tracks, a default-mode timer waits: only the deadline is armed.
    loop.pushMode(RunLoop::Mode::eventTracking);
    driver->turn();
    EXPECT_EQ(driver->armedWait(), 7000);
    loop.popMode();

    clock->advance(2.5);
    driver->turn();
    EXPECT_EQ(ran, 2) << "the timer fired";
    EXPECT_EQ(driver->armedWait(), 2500);
    tick->invalidate();
    driver->turn();
    EXPECT_EQ(driver->armedWait(), 4500);
    EXPECT_EQ(redraws, 5);
}

TEST_F(QtRunLoopDriverTest, WorkQueuedFromAnotherThreadRunsWithoutAnyTimerArmed) {
    driver->turn();
    ASSERT_EQ(driver->armedWait(), std::nullopt);
    bool ran = false;
    std::thread worker([&] { DispatchQueue::main().async([&] { ran = true; }); });
    worker.join();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!ran && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    EXPECT_TRUE(ran) << "the wake-up reached Qt's loop";
}

} // namespace
