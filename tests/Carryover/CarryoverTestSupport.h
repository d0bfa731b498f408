#pragma once

#include "tests/support/TemporaryHome.h"

#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/Bundle.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/RunLoop.h"
#include "platform/time/Calendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace carryover_test {

// A New York user (TZ and LC_ALL pinned while the test runs) with a fresh
// home and the program's own defaults domain.
class CarryoverTest : public ::testing::Test {
protected:
    CarryoverTest() {
        ::setenv("TZ", "America/New_York", 1);
        ::setenv("LC_ALL", "C", 1);
    }
    ~CarryoverTest() override {
        ::unsetenv("TZ");
        ::unsetenv("LC_ALL");
    }
    void SetUp() override {
        platform::Bundle::setMainBundleIdentifier("dev.menulets.Carryover");
        platform::UserDefaults::resetStandard();
    }
    void TearDown() override {
        platform::RunLoop::main().reset();
        // Nothing may be left to write once the home folder is gone.
        platform::UserDefaults::standard().synchronize();
        platform::Clock::install(std::make_shared<platform::RealClock>());
    }

    // hour:minute in New York on that calendar day.
    static platform::Date newYork(int year, int month, int day, int hour, int minute = 0) {
        std::tm noon{};
        noon.tm_year = year - 1900;
        noon.tm_mon = month - 1;
        noon.tm_mday = day;
        noon.tm_hour = 12;
        const platform::Date sameDay{static_cast<double>(::timegm(&noon))};
        return platform::Calendar::current().dateBySettingHour(hour, minute, 0, sameDay).value();
    }
    static double hours(double count) { return count * 3600; }

private:
    menulets::testing::TemporaryHome home_;
};

} // namespace carryover_test
