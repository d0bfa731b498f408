#include "platform/views/Path.h"

#include <cmath>
#include <sstream>

namespace platform {

void Path::move(Point to) {
    Element element;
    element.kind = Element::Kind::move;
    element.point = to;
    elements_.push_back(element);
    current_ = to;
    subpathStart_ = to;
}

void Path::line(Point to) {
    if (elements_.empty()) {
        move(to);
        return;
    }
    Element element;
    element.kind = Element::Kind::line;
    element.point = to;
    elements_.push_back(element);
    current_ = to;
}

void Path::addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise) {
    Point start{center.x + radius * std::cos(startAngle), center.y + radius * std::sin(startAngle)};
    if (elements_.empty()) {
        move(start);
    } else if (std::hypot(start.x - current_.x, start.y - current_.y) > 1e-9) {
        // Angles such as -pi/2 leave rounding noise in the arc's first point.
        line(start);
    }
    Element element;
    element.kind = Element::Kind::arc;
    element.center = center;
    element.radius = radius;
    element.startAngle = startAngle;
    element.endAngle = endAngle;
    element.clockwise = clockwise;
    elements_.push_back(element);
    current_ = {center.x + radius * std::cos(endAngle), center.y + radius * std::sin(endAngle)};
}

void Path::close() {
    if (elements_.empty()) {
        return;
    }
    Element element;
    element.kind = Element::Kind::close;
    elements_.push_back(element);
    current_ = subpathStart_;
}

std::string Path::describe() const {
    std::ostringstream out;
    const char* separator = "";
    for (const auto& element : elements_) {
        out << separator;
        separator = " ";
        switch (element.kind) {
        case Element::Kind::move:
            out << "move(" << element.point.x << ", " << element.point.y << ")";
            break;
        case Element::Kind::line:
            out << "line(" << element.point.x << ", " << element.point.y << ")";
            break;
        case Element::Kind::arc:
            out << "arc(center (" << element.center.x << ", " << element.center.y << ") radius " << element.radius
                << " from " << element.startAngle << " to " << element.endAngle
                << (element.clockwise ? " clockwise)" : ")");
            break;
        case Element::Kind::close:
            out << "close";
            break;
        }
    }
    return out.str();
}

} // namespace platform
