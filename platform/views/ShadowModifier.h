#pragma once

#include "platform/appkit/Color.h"
#include "platform/views/ViewModifier.h"

#include <utility>

namespace platform {

// A blurred copy of the view's shape drawn behind it.
class ShadowModifier final : public ViewModifier {
public:
    ShadowModifier(Color color, double radius, double x, double y)
        : color_(std::move(color)), radius_(radius), x_(x), y_(y) {}

    const Color& color() const { return color_; }
    double radius() const { return radius_; }
    double x() const { return x_; }
    double y() const { return y_; }

    // ".shadow(black alpha 0.33, radius: 2)"; the offset only when there is one.
    std::string describe() const override;

private:
    Color color_;
    double radius_;
    double x_;
    double y_;
};

} // namespace platform
