#include "platform/qt/views/QtPaths.h"
#include "platform/views/Path.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace platform;

namespace {

// A pie from the centre of a 100-point square: to the arc's start, the arc, back.
QPainterPath pie(double start, double end, bool clockwise) {
    Path path;
    path.move({50, 50});
    path.addArc({50, 50}, 40, start, end, clockwise);
    path.close();
    return QtPaths::painterPath(path);
}

} // namespace

// The platform's flag is named in the y-up convention: "clockwise" runs
// through decreasing angles, which on a y-down screen turns the other way.
TEST(QtPathsTest, ArcsTurnTheWayThePlatformDrawsThem) {
    constexpr double quarter = std::numbers::pi / 2;
    const QPainterPath shortWay = pie(0, -quarter, true);
    EXPECT_TRUE(shortWay.contains(QPointF(75, 30))) << "the quarter above the start, on screen";
    EXPECT_FALSE(shortWay.contains(QPointF(50, 85)));
    EXPECT_FALSE(shortWay.contains(QPointF(20, 50)));

    const QPainterPath longWay = pie(0, -quarter, false);
    EXPECT_FALSE(longWay.contains(QPointF(75, 30)));
    EXPECT_TRUE(longWay.contains(QPointF(75, 70)));
    EXPECT_TRUE(longWay.contains(QPointF(25, 70)));
    EXPECT_TRUE(longWay.contains(QPointF(25, 30)));
}

TEST(QtPathsTest, AWholeTurnIsACircleAndAnArcMayStartThePath) {
    Path circle;
    circle.addArc({50, 50}, 40, 0, -2 * std::numbers::pi, true);
    circle.close();
    const QPainterPath drawn = QtPaths::painterPath(circle);
    for (const QPointF point : {QPointF(85, 50), QPointF(50, 15), QPointF(15, 50), QPointF(50, 85)}) {
        EXPECT_TRUE(drawn.contains(point)) << point.x() << "," << point.y();
    }
    // The first point is the arc's own, not the origin.
    EXPECT_EQ(drawn.elementAt(0).x, 90);
    EXPECT_EQ(drawn.elementAt(0).y, 50);
    EXPECT_FALSE(drawn.contains(QPointF(5, 5)));
}
