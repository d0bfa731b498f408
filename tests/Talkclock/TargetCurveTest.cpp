#include "Talkclock/TargetCurve.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

using Talkclock::TargetCurve;

namespace {

TEST(TargetCurveTest, SliderPositionsGiveTargetsOnTheirSteps) {
    const std::vector<std::pair<double, double>> positionAndTarget{
        {8000, 10},    {10000, 30},   {15000, 210},   {18366, 600},   {20000, 900},
        {25000, 2820}, {30000, 6900}, {35000, 15300}, {40000, 28800}, {43200, 43200},
    };
    for (const auto& [position, target] : positionAndTarget) {
        EXPECT_EQ(TargetCurve::quantizeTarget(position), target) << position;
    }
}

TEST(TargetCurveTest, TargetsGiveTheNearestWholeSliderPosition) {
    EXPECT_EQ(TargetCurve::sliderPosition(600), 18366);
    EXPECT_EQ(TargetCurve::sliderPosition(10), 8098);
    EXPECT_EQ(TargetCurve::sliderPosition(43200), 43200);
    EXPECT_EQ(TargetCurve::sliderPosition(900), 19918);
    for (double target : {10.0, 30.0, 600.0, 900.0, 2820.0, 15300.0, 43200.0}) {
        EXPECT_EQ(TargetCurve::quantizeTarget(TargetCurve::sliderPosition(target)), target) << target;
    }
}

TEST(TargetCurveTest, StepsRoundHalvesToTheEvenMultiple) {
    // Positions whose fifth power lands exactly on 12.5 (a half of the 5 s
    // step) and on 135 (a half of the 30 s step).
    EXPECT_EQ(TargetCurve::quantizeTarget(8467.76896217765), 10);
    EXPECT_EQ(TargetCurve::quantizeTarget(13628.678640772174), 120);
}

TEST(TargetCurveTest, ValuesBeyondTheSlidersRangeStillGiveATarget) {
    EXPECT_EQ(TargetCurve::sliderPosition(-50), 0);
    EXPECT_EQ(TargetCurve::quantizeTarget(TargetCurve::sliderPosition(-50)), 1);
    const double huge = std::numeric_limits<double>::max();
    EXPECT_EQ(TargetCurve::quantizeTarget(TargetCurve::sliderPosition(huge)), 43200);
    EXPECT_EQ(TargetCurve::quantizeTarget(-1), 1);
    EXPECT_EQ(TargetCurve::quantizeTarget(100), 1) << "below one second no step applies";
}

} // namespace
