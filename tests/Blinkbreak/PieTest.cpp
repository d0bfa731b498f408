#include "Blinkbreak/Pie.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using platform::Path;
using platform::Point;
using platform::Rect;
using Kind = Path::Element::Kind;

namespace {

using std::numbers::pi;

void expectPoint(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

// Where the arc element passes at a fraction of its way, following its flag
// (set: through decreasing angles).
Point arcPoint(const Path::Element& arc, double fraction) {
    double sweep = arc.endAngle - arc.startAngle;
    if (arc.clockwise && sweep > 0) {
        sweep -= 2 * pi;
    } else if (!arc.clockwise && sweep < 0) {
        sweep += 2 * pi;
    }
    const double angle = arc.startAngle + sweep * fraction;
    return {arc.center.x + arc.radius * std::cos(angle), arc.center.y + arc.radius * std::sin(angle)};
}

// The four elements every pie is made of: to the centre, out to the start
// of the rim, along it, and back.
void expectSector(const Path& path, Point center, double radius, double start, double end, bool arcFlag) {
    const auto& elements = path.elements();
    ASSERT_EQ(elements.size(), 4u) << path.describe();
    EXPECT_EQ(elements[0].kind, Kind::move);
    expectPoint(elements[0].point, center);
    EXPECT_EQ(elements[1].kind, Kind::line);
    expectPoint(elements[1].point, {center.x + radius * std::cos(start), center.y + radius * std::sin(start)});
    EXPECT_EQ(elements[2].kind, Kind::arc);
    expectPoint(elements[2].center, center);
    EXPECT_EQ(elements[2].radius, radius);
    EXPECT_EQ(elements[2].startAngle, start);
    EXPECT_EQ(elements[2].endAngle, end);
    EXPECT_EQ(elements[2].clockwise, arcFlag);
    EXPECT_EQ(elements[3].kind, Kind::line);
    expectPoint(elements[3].point, center);
}

TEST(PieTest, TheDiscIsTheLargestOneCentredInTheRectangle) {
    const Rect wide{{10, 20}, {100, 60}};
    expectSector(Blinkbreak::Pie(0, -2 * pi, false).path(wide), {60, 50}, 30, 0, -2 * pi, true);
    const Rect tall{{0, 0}, {40, 90}};
    expectSector(Blinkbreak::Pie(0, -2 * pi, false).path(tall), {20, 45}, 20, 0, -2 * pi, true);
}

TEST(PieTest, FromZeroToZeroOnlyGoesOutToThreeOClockAndBack) {
    const auto path = Blinkbreak::Pie(0, 0, false).path({{0, 0}, {60, 60}});
    expectSector(path, {30, 30}, 30, 0, 0, true);
    expectPoint(arcPoint(path.elements()[2], 1), {60, 30});
}

TEST(PieTest, ANegativeQuarterCounterClockwiseIsTheUpperRightQuarter) {
    const auto path = Blinkbreak::Pie(0, -pi / 2, false).path({{0, 0}, {60, 60}});
    expectSector(path, {30, 30}, 30, 0, -pi / 2, true);
    const auto& arc = path.elements()[2];
    expectPoint(arcPoint(arc, 0), {60, 30});
    expectPoint(arcPoint(arc, 0.5), {30 + 30 * std::cos(pi / 4), 30 - 30 * std::sin(pi / 4)});
    expectPoint(arcPoint(arc, 1), {30, 0});
}

TEST(PieTest, ClockwiseClearsTheArcFlagAndTheSameQuarterRunsTheLongWayRound) {
    const auto path = Blinkbreak::Pie(0, -pi / 2, true).path({{0, 0}, {60, 60}});
    expectSector(path, {30, 30}, 30, 0, -pi / 2, false);
    // A third of the way round the long side is 6 o'clock.
    expectPoint(arcPoint(path.elements()[2], 1.0 / 3), {30, 60});
}

TEST(PieTest, BothAnglesAreTheAnimatableData) {
    Blinkbreak::Pie pie(0.5, -1, false);
    EXPECT_EQ(pie.animatableData(), (std::vector<double>{0.5, -1}));
    pie.setAnimatableData({0.25, -3});
    EXPECT_EQ(pie.startAngle, 0.25);
    EXPECT_EQ(pie.endAngle, -3);
    EXPECT_FALSE(pie.clockwise);
    pie.setAnimatableData({1});
    EXPECT_EQ(pie.animatableData(), (std::vector<double>{0.25, -3})) << "a pair it cannot take is ignored";
}

} // namespace
