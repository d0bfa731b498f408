#include "tests/platform/time/TimeTestSupport.h"

#include "Talkclock/TimerView.h"

#include "platform/views/Binding.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using Talkclock::TimerView;

namespace {

class TimerViewTest : public ::testing::Test {
protected:
    static platform::Binding<double> constant(double value) {
        return platform::Binding<double>([value] { return value; }, [](double) {});
    }
    static std::string shown(double target, double accumulated) {
        TimerView view(constant(target), constant(accumulated));
        return view.remainingText(target - accumulated);
    }

private:
    time_test::ScopedEnvironment environment_{{"LC_ALL", "en_US.UTF-8"}};
};

TEST_F(TimerViewTest, RemainingTimeIsPaddedMinutesAndSecondsUpToOneHourOfTarget) {
    const std::vector<std::tuple<double, double, std::string>> targetCountedShown{
        {600, 0, "10:00"},     {600, 61, "08:59"},       {600, 600, "00:00"},     {600, 601, "-00:01"},
        {600, 725, "-02:05"},  {3600, 0, "60:00"},       {3600, 3599, "00:01"},   {3900, 0, "01:05:00"},
        {5400, 0, "01:30:00"}, {5400, 5399, "00:00:01"}, {43200, 0, "12:00:00"}, {10, 4000, "-66:30"},
    };
    for (const auto& [target, counted, text] : targetCountedShown) {
        EXPECT_EQ(shown(target, counted), text) << target << " " << counted;
    }
}

TEST_F(TimerViewTest, ATimeTheFormatterCannotWriteShowsZeros) {
    EXPECT_EQ(shown(1e300, 0), "00:00:00");
}

TEST_F(TimerViewTest, TilesTakeWholeCharactersEvenOutsideAscii) {
    EXPECT_EQ(TimerView::characters("-00:05"), (std::vector<std::string>{"-", "0", "0", ":", "0", "5"}));
    EXPECT_EQ(TimerView::characters("\u221200:05"), (std::vector<std::string>{"\u2212", "0", "0", ":", "0", "5"}));
    EXPECT_EQ(TimerView::characters("\u0661\u0660"), (std::vector<std::string>{"\u0661", "\u0660"}));
    EXPECT_EQ(TimerView::characters("\xE2\x88"), (std::vector<std::string>{"\xE2\x88"})) << "a cut sequence stays one";
    EXPECT_EQ(TimerView::characters("\x80" "1"), (std::vector<std::string>{"\x80", "1"}));
    EXPECT_TRUE(TimerView::characters("").empty());
}

} // namespace
