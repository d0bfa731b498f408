#pragma once

#include "platform/appkit/Geometry.h"

#include <string>
#include <vector>

namespace platform {

// An outline made of straight lines and circular arcs, in the coordinates of
// the rectangle it was made for (y grows downwards). Backends fill or clip
// with it; the model only records the elements.
class Path {
public:
    struct Element {
        enum class Kind { move, line, arc, close };
        Kind kind = Kind::move;
        Point point;          // move, line
        Point center;         // arc
        double radius = 0;    // arc
        double startAngle = 0; // arc, radians from the positive x axis
        double endAngle = 0;
        // The arc primitive's flag, in the y-up convention: a clockwise arc
        // runs through decreasing angles.
        bool clockwise = false;

        bool operator==(const Element&) const = default;
    };

    void move(Point to);
    void line(Point to);
    // A circular arc around `center`; when the path is not at the arc's first
    // point, a straight line joins them first (as the platform's addArc does).
    void addArc(Point center, double radius, double startAngle, double endAngle, bool clockwise);
    void close();

    const std::vector<Element>& elements() const { return elements_; }
    bool isEmpty() const { return elements_.empty(); }

    // "move(30, 30) line(60, 30) arc(center (30, 30) radius 30 from 0 to -1.5708) close".
    std::string describe() const;

    bool operator==(const Path& other) const { return elements_ == other.elements_; }

private:
    std::vector<Element> elements_;
    Point current_;
    Point subpathStart_;
};

} // namespace platform
