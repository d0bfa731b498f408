#pragma once

#include "platform/appkit/Geometry.h"
#include "platform/views/Path.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

// A two-dimensional shape: the path it takes in a given rectangle. A shape
// whose path depends on numbers that can animate (angles, lengths) exposes
// them as its animatable data; an animation draws copies of the shape with
// the data interpolated between the old and the new values.
class Shape {
public:
    virtual ~Shape() = default;

    virtual Path path(const Rect& rect) const = 0;

    virtual std::vector<double> animatableData() const { return {}; }
    virtual void setAnimatableData(const std::vector<double>&) {}

    virtual std::shared_ptr<Shape> copy() const = 0;

    // The shape's name in listings: its class name, and its animatable data
    // when it has some.
    virtual std::string describe() const;
};

// Supplies copy() for a shape class that can be copied as a value:
// `class Pie : public BasicShape<Pie> {...}`.
template <typename Derived>
class BasicShape : public Shape {
public:
    std::shared_ptr<Shape> copy() const override {
        return std::make_shared<Derived>(static_cast<const Derived&>(*this));
    }
};

} // namespace platform
