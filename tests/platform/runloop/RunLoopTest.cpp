#include "platform/runloop/Clock.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"

#include "tests/support/VirtualClockTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace platform;

namespace {

class RunLoopTest : public menulets::testing::VirtualClockTest {
protected:
    std::vector<std::string> log;
};

TEST_F(RunLoopTest, DefaultModeTimerWaitsWhileTrackingAndFiresOnceWhenBack) {
    int defaultFires = 0;
    int commonFires = 0;
    auto held = Timer::scheduled(1.0, true, [&](Timer&) { ++defaultFires; });
    auto common = Timer::make(1.0, true, [&](Timer&) { ++commonFires; });
    loop.add(common, RunLoop::Mode::common);

    loop.pushMode(RunLoop::Mode::eventTracking);
    EXPECT_EQ(loop.currentMode(), RunLoop::Mode::eventTracking);
    loop.advance(3.5);
    EXPECT_EQ(defaultFires, 0);
    EXPECT_EQ(commonFires, 3);

    loop.popMode();
    loop.runUntilIdle();
    EXPECT_EQ(defaultFires, 1);
    // The missed firings are skipped; the schedule keeps its phase.
    EXPECT_DOUBLE_EQ(held->fireUptime(), 1004.0);
    loop.advance(0.5);
    EXPECT_EQ(defaultFires, 2);
    EXPECT_EQ(commonFires, 4);
}

TEST_F(RunLoopTest, OneShotTimerInvalidatesAfterFiringAndInvalidatedTimerStaysSilent) {
    int oneShot = 0;
    int cancelled = 0;
    auto once = Timer::scheduled(2.0, false, [&](Timer&) { ++oneShot; });
    auto stopped = Timer::scheduled(1.0, true, [&](Timer& timer) {
        ++cancelled;
        timer.invalidate();
    });
    loop.advance(10);
    EXPECT_EQ(oneShot, 1);
    EXPECT_FALSE(once->isValid());
    EXPECT_EQ(cancelled, 1);
    EXPECT_FALSE(stopped->isValid());
}

// A worker that answers each firing with a block on the main queue (as a
// writer thread hands its results back) queues it at any moment, also just
// as the loop looked for what is due next: no timer may be skipped for it.
TEST_F(RunLoopTest, BlocksQueuedFromAnotherThreadLeaveEveryTimerOfAnAdvance) {
    std::mutex mutex;
    std::condition_variable asked;
    int firings = 0;
    bool finished = false;
    std::atomic<int> answers = 0;
    std::thread worker([&] {
        std::unique_lock lock(mutex);
        for (int answered = 0;; ++answered) {
            asked.wait(lock, [&] { return finished || firings > answered; });
            if (firings == answered) {
                return;
            }
            lock.unlock();
            DispatchQueue::main().async([&] { ++answers; });
            lock.lock();
        }
    });
    auto timer = Timer::scheduled(1.0, true, [&](Timer&) {
        std::lock_guard lock(mutex);
        ++firings;
        asked.notify_one();
    });
    loop.advance(2000);
    {
        std::lock_guard lock(mutex);
        finished = true;
        EXPECT_EQ(firings, 2000);
    }
    asked.notify_one();
    worker.join();
    loop.runUntilIdle();
    EXPECT_EQ(answers, 2000);
}

TEST_F(RunLoopTest, MainQueueBlocksRunOnLaterTurnsInOrder) {
    auto& main = DispatchQueue::main();
    main.async([&] {
        log.push_back("a");
        main.async([&] { log.push_back("c"); });
    });
    main.async([&] { log.push_back("b"); });
    EXPECT_TRUE(log.empty());

    loop.runOneTurn();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    loop.pushMode(RunLoop::Mode::eventTracking);
    loop.runOneTurn();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(RunLoopTest, AdvanceRunsTimersAndDeadlinesAtTheirOwnMoments) {
    auto& main = DispatchQueue::main();
    auto stamp = [&](const std::string& what) { log.push_back(what + "@" + std::to_string(elapsed())); };
    auto timer = Timer::scheduled(1.0, true, [&](Timer&) {
        stamp("tick");
        main.async([&] { stamp("after-tick"); });
    });
    main.asyncAfter(1.5, [&] { stamp("delay"); });
    main.asyncAfterWallDeadline(Date::now().addingTimeInterval(0.5), [&] { stamp("wall"); });

    loop.advance(2.0);
    EXPECT_EQ(log, (std::vector<std::string>{"wall@0.500000", "tick@1.000000", "after-tick@1.000000",
                                             "delay@1.500000", "tick@2.000000", "after-tick@2.000000"}));
    EXPECT_DOUBLE_EQ(elapsed(), 2.0);
}

TEST_F(RunLoopTest, WallDeadlinesCountThroughSleepUptimeDelaysDoNot) {
    auto& main = DispatchQueue::main();
    Date start = Date::now();
    main.asyncAfterWallDeadline(start.addingTimeInterval(100), [&] { log.push_back("wall"); });
    main.asyncAfter(100, [&] { log.push_back("uptime"); });

    loop.sleep(150);
    EXPECT_EQ(log, std::vector<std::string>{"wall"});
    EXPECT_EQ(Date::now(), start.addingTimeInterval(150));

    loop.advance(99);
    EXPECT_EQ(log, std::vector<std::string>{"wall"});
    loop.advance(1);
    EXPECT_EQ(log, (std::vector<std::string>{"wall", "uptime"}));
}

TEST_F(RunLoopTest, WallDeadlinesFollowTheWallClockWhenItIsSet) {
    auto& main = DispatchQueue::main();
    Date start = Date::now();
    main.asyncAfterWallDeadline(start.addingTimeInterval(3600), [&] { log.push_back("in an hour"); });

    loop.setWallClock(start.addingTimeInterval(-7200));
    loop.advance(3600);
    EXPECT_TRUE(log.empty());
    loop.setWallClock(start.addingTimeInterval(4000));
    EXPECT_EQ(log, std::vector<std::string>{"in an hour"});
}

TEST_F(RunLoopTest, WeakHandlersSkipAReleasedOwner) {
    struct Owner {};
    auto owner = std::make_shared<Owner>();
    int calls = 0;
    auto count = [&calls](Owner&, auto&&...) { ++calls; };
    DispatchQueue::main().async(weakly(owner, count));
    auto timer = Timer::scheduled(1.0, true, weakTimerBlock(owner, count));
    loop.advance(1.0);
    EXPECT_EQ(calls, 2);

    DispatchQueue::main().async(weakly(owner, count));
    std::weak_ptr<Owner> watch = owner;
    owner.reset();
    EXPECT_TRUE(watch.expired()); // neither the queue nor the timer kept it
    loop.advance(1.0);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(timer->isValid());
}

TEST_F(RunLoopTest, ResetForgetsEverythingPending) {
    DispatchQueue::main().async([&] { log.push_back("block"); });
    DispatchQueue::main().asyncAfter(1, [&] { log.push_back("delay"); });
    auto timer = Timer::scheduled(1, true, [&](Timer&) { log.push_back("timer"); });
    loop.pushMode(RunLoop::Mode::eventTracking);

    loop.reset();
    EXPECT_EQ(loop.currentMode(), RunLoop::Mode::defaultMode);
    EXPECT_FALSE(timer->isValid());
    loop.advance(5);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(loop.secondsUntilNextItem(), std::numeric_limits<double>::infinity());
}

} // namespace
