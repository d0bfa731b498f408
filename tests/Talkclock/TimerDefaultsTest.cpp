#include "tests/support/TemporaryHome.h"

#include "Talkclock/TimerDefaults.h"

#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/Data.h"

#include <gtest/gtest.h>

#include <limits>

using Talkclock::TimerDefaults;
using platform::PropertyList;

namespace {

class TimerDefaultsTest : public ::testing::Test {
protected:
    menulets::testing::TemporaryHome home;
    platform::UserDefaults defaults{"dev.menulets.TalkclockTest"};
    std::shared_ptr<TimerDefaults> timer = TimerDefaults::make(defaults);
};

TEST_F(TimerDefaultsTest, MissingValuesGiveTheDefaults) {
    EXPECT_EQ(timer->accumulated(), 0);
    EXPECT_EQ(timer->target(), 600);
    EXPECT_FALSE(timer->running());
    EXPECT_FALSE(timer->showTitle());
}

TEST_F(TimerDefaultsTest, ValuesAreStoredAsRealsAndBooleansAndReadBackAtOnce) {
    timer->setAccumulated(42);
    timer->setTarget(900);
    timer->setRunning(true);
    timer->setShowTitle(true);
    EXPECT_EQ(defaults.object("Talkclock.accumulated"), PropertyList(42.0));
    EXPECT_EQ(defaults.object("Talkclock.target"), PropertyList(900.0));
    EXPECT_EQ(defaults.object("Talkclock.running"), PropertyList(true));
    EXPECT_EQ(defaults.object("Talkclock.showTitle"), PropertyList(true));

    // Read through: another writer's value is what the next read sees.
    defaults.set(7.0, "Talkclock.accumulated");
    EXPECT_EQ(timer->accumulated(), 7);
}

TEST_F(TimerDefaultsTest, ValuesOfAnotherTypeGiveTheDefaults) {
    defaults.set("900", "Talkclock.target");
    defaults.set(true, "Talkclock.accumulated");
    defaults.set(1, "Talkclock.running");
    defaults.set(PropertyList(platform::Data{0x01}), "Talkclock.showTitle");
    EXPECT_EQ(timer->target(), 600);
    EXPECT_EQ(timer->accumulated(), 0);
    EXPECT_FALSE(timer->running());
    EXPECT_FALSE(timer->showTitle());

    defaults.set(std::numeric_limits<double>::quiet_NaN(), "Talkclock.target");
    defaults.set(-std::numeric_limits<double>::infinity(), "Talkclock.accumulated");
    EXPECT_EQ(timer->target(), 600) << "not a number";
    EXPECT_EQ(timer->accumulated(), 0) << "not finite";
}

TEST_F(TimerDefaultsTest, WholeNumbersCountAsSeconds) {
    defaults.set(1200, "Talkclock.target");
    defaults.set(-30, "Talkclock.accumulated");
    EXPECT_EQ(timer->target(), 1200);
    EXPECT_EQ(timer->accumulated(), -30);
}

} // namespace
