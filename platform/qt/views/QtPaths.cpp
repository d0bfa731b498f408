#include "platform/qt/views/QtPaths.h"

#include "platform/views/Path.h"

#include <cmath>
#include <numbers>

namespace platform {

namespace {

constexpr double fullTurn = 2 * std::numbers::pi;

double degrees(double radians) { return radians * 180 / std::numbers::pi; }

// How far the arc turns, in radians: positive through increasing angles.
double sweepOf(const Path::Element& arc) {
    const double span = arc.endAngle - arc.startAngle;
    if (std::abs(span) >= fullTurn) {
        return arc.clockwise ? -fullTurn : fullTurn;
    }
    // A clockwise arc runs through decreasing angles, the other through
    // increasing ones, the short or the long way as needed.
    double turn = std::fmod(span, fullTurn);
    if (arc.clockwise) {
        return turn > 0 ? turn - fullTurn : turn;
    }
    return turn < 0 ? turn + fullTurn : turn;
}

} // namespace

QPainterPath QtPaths::painterPath(const Path& path) {
    QPainterPath out;
    for (const auto& element : path.elements()) {
        switch (element.kind) {
        case Path::Element::Kind::move: out.moveTo(element.point.x, element.point.y); break;
        case Path::Element::Kind::line: out.lineTo(element.point.x, element.point.y); break;
        case Path::Element::Kind::arc: {
            const QRectF bounds(element.center.x - element.radius, element.center.y - element.radius,
                                2 * element.radius, 2 * element.radius);
            if (out.elementCount() == 0) {
                out.moveTo(element.center.x + element.radius * std::cos(element.startAngle),
                           element.center.y + element.radius * std::sin(element.startAngle));
            }
            // With y downwards, the platform's angle a is Qt's -a.
            out.arcTo(bounds, -degrees(element.startAngle), -degrees(sweepOf(element)));
            break;
        }
        case Path::Element::Kind::close: out.closeSubpath(); break;
        }
    }
    return out;
}

Rect QtPaths::rectOf(const QRect& rect) {
    return Rect{Point{static_cast<double>(rect.x()), static_cast<double>(rect.y())},
                Size{static_cast<double>(rect.width()), static_cast<double>(rect.height())}};
}

} // namespace platform
