#include "platform/runloop/Clock.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"

#include "tests/support/VirtualClockTest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

using namespace platform;

namespace {

constexpr auto generous = std::chrono::seconds(20);

class DispatchQueueTest : public menulets::testing::VirtualClockTest {};

TEST_F(DispatchQueueTest, GlobalQueueRunsOnAnotherThreadAndHandsResultsToMain) {
    std::promise<std::thread::id> ranOn;
    auto done = ranOn.get_future();
    bool delivered = false;
    DispatchQueue::global(QualityOfService::userInitiated).async([&] {
        DispatchQueue::main().async([&] { delivered = true; });
        ranOn.set_value(std::this_thread::get_id());
    });
    ASSERT_EQ(done.wait_for(generous), std::future_status::ready);
    EXPECT_NE(done.get(), std::this_thread::get_id());

    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(delivered);
}

TEST_F(DispatchQueueTest, GlobalDelayFollowsTheMainClock) {
    std::promise<void> ran;
    auto done = ran.get_future();
    DispatchQueue::global().asyncAfter(5, [&] { ran.set_value(); });

    RunLoop::main().advance(4.9);
    EXPECT_EQ(done.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
    RunLoop::main().advance(0.1);
    EXPECT_EQ(done.wait_for(generous), std::future_status::ready);
}

TEST_F(DispatchQueueTest, RunWaitsUntilAnotherThreadQueuesWork) {
    int turns = 0;
    DispatchQueue::global().async([&] {
        DispatchQueue::main().async([&] {
            ++turns;
            RunLoop::main().stop();
        });
    });
    RunLoop::main().run();
    EXPECT_EQ(turns, 1);
}

} // namespace
