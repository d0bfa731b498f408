#pragma once

#include "platform/appkit/Application.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/RunLoop.h"

#include <gtest/gtest.h>

#include <memory>

// Views tests run on the virtual clock with an empty main run loop and a
// fresh application.
class ViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Clock::install(clock);
        platform::RunLoop::main().reset();
        platform::Application::shared().reset();
    }
    void TearDown() override {
        platform::Application::shared().reset();
        platform::RunLoop::main().reset();
        platform::Clock::install(std::make_shared<platform::RealClock>());
    }

    void turn() { platform::RunLoop::main().runUntilIdle(); }

    std::shared_ptr<platform::VirtualClock> clock =
        std::make_shared<platform::VirtualClock>(platform::Date{1'700'000'000}, 1000.0);
};
