#include "platform/runloop/WakeSignal.h"

#include <gtest/gtest.h>

#include <limits>
#include <poll.h>
#include <thread>

using namespace platform;

namespace {

bool readable(const WakeSignal& signal) {
    pollfd watched{signal.descriptor(), POLLIN, 0};
    return ::poll(&watched, 1, 0) == 1;
}

TEST(WakeSignal, IsReadableWhileAWakeOrAReachedWallMomentIsPending) {
    WakeSignal signal;
    ASSERT_GE(signal.descriptor(), 0);
    EXPECT_FALSE(readable(signal));

    std::thread([&] { signal.notify(); }).join();
    EXPECT_TRUE(readable(signal));
    signal.drain();
    EXPECT_FALSE(readable(signal));

    signal.armWallMoment(Date::now().addingTimeInterval(3600));
    EXPECT_FALSE(readable(signal));
    signal.armWallMoment(Date::now().addingTimeInterval(-1)); // already passed
    EXPECT_TRUE(readable(signal));
    signal.drain();
    signal.armWallMoment(std::nullopt);
    EXPECT_FALSE(readable(signal));

    // A wait returns at once once something is pending, however long it may last.
    signal.notify();
    signal.wait(std::numeric_limits<double>::infinity());
    EXPECT_TRUE(readable(signal));
}

} // namespace
