#pragma once

#include "platform/views/Shape.h"

#include <vector>

namespace Blinkbreak {

// A sector of the largest disc centred in the rectangle, from `startAngle` to
// `endAngle` (radians from 3 o'clock; positive angles turn clockwise on
// screen, as y grows downwards). With `clockwise` false the arc runs through
// decreasing angles, so 0 to a negative angle sweeps up from 3 o'clock.
// Both angles animate.
class Pie : public platform::BasicShape<Pie> {
public:
    Pie(double startAngle, double endAngle, bool clockwise)
        : startAngle(startAngle), endAngle(endAngle), clockwise(clockwise) {}

    double startAngle;
    double endAngle;
    bool clockwise;

    platform::Path path(const platform::Rect& rect) const override;
    std::vector<double> animatableData() const override { return {startAngle, endAngle}; }
    void setAnimatableData(const std::vector<double>& data) override;
};

} // namespace Blinkbreak
