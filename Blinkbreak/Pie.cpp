#include "Blinkbreak/Pie.h"

#include <algorithm>
#include <cmath>

namespace Blinkbreak {

platform::Path Pie::path(const platform::Rect& rect) const {
    const platform::Point center{rect.midX(), rect.midY()};
    const double radius = std::min(rect.width(), rect.height()) / 2;
    const platform::Point start{center.x + radius * std::cos(startAngle), center.y + radius * std::sin(startAngle)};
    platform::Path path;
    path.move(center);
    path.line(start);
    // The arc primitive's flag counts in the y-up sense: set, it runs through
    // decreasing angles, which is what `clockwise` false asks for.
    path.addArc(center, radius, startAngle, endAngle, !clockwise);
    path.line(center);
    return path;
}

void Pie::setAnimatableData(const std::vector<double>& data) {
    if (data.size() == 2) {
        startAngle = data[0];
        endAngle = data[1];
    }
}

} // namespace Blinkbreak
