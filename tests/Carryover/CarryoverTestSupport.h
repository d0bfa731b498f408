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
#include <memory>
#include <optional>
#include <string>

namespace carryover_test {

// Pins an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            saved_ = old;
        }
        ::setenv(name, value, 1);
    }
    ~ScopedVariable() {
        if (saved_) {
            ::setenv(name_, saved_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

// A New York user on the virtual clock, with a fresh home and the program's
// own defaults domain.
class CarryoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Bundle::setMainBundleIdentifier("dev.menulets.Carryover");
        platform::UserDefaults::resetStandard();
        platform::RunLoop::main().reset();
    }
    void TearDown() override {
        platform::RunLoop::main().reset();
        // Nothing may be left to write once the home folder is gone.
        platform::UserDefaults::standard().synchronize();
        platform::Clock::install(std::make_shared<platform::RealClock>());
    }

    platform::UserDefaults& defaults() { return platform::UserDefaults::standard(); }

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

    void startClock(platform::Date at) {
        clock_ = std::make_shared<platform::VirtualClock>(at);
        platform::Clock::install(clock_);
    }
    static double hours(double count) { return count * 3600; }

private:
    ScopedVariable timeZone_{"TZ", "America/New_York"};
    ScopedVariable locale_{"LC_ALL", "C"};
    menulets::testing::TemporaryHome home_;
    std::shared_ptr<platform::VirtualClock> clock_;
};

} // namespace carryover_test
