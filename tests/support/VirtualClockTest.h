#pragma once

#include "platform/foundation/Date.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/RunLoop.h"

#include <gtest/gtest.h>

#include <memory>

namespace menulets::testing {

// A test on the virtual clock: the clock starts at a fixed date with 1000
// seconds of uptime, and the main run loop is emptied before and after, so
// that timers left over from one test never fire in the next. The real clock
// comes back at the end for whatever runs after the fixture.
class VirtualClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Clock::install(clock);
        loop.reset();
    }
    void TearDown() override {
        loop.reset();
        platform::Clock::install(std::make_shared<platform::RealClock>());
    }
    // Seconds of uptime since the test began.
    double elapsed() const { return clock->uptime() - startUptime; }

    static constexpr double startUptime = 1000.0;
    std::shared_ptr<platform::VirtualClock> clock =
        std::make_shared<platform::VirtualClock>(platform::Date{1'700'000'000}, startUptime);
    platform::RunLoop& loop = platform::RunLoop::main();
};

} // namespace menulets::testing
