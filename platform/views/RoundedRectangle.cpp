#include "platform/views/RoundedRectangle.h"

#include <algorithm>
#include <numbers>

namespace platform {

Path RoundedRectangle::path(const Rect& rect) const {
    // A radius larger than half a side would make the corners overlap.
    double radius = std::clamp(cornerRadius_, 0.0, std::min(rect.width(), rect.height()) / 2);
    constexpr double quarter = std::numbers::pi / 2;
    Path path;
    path.move({rect.minX() + radius, rect.minY()});
    path.addArc({rect.maxX() - radius, rect.minY() + radius}, radius, -quarter, 0, false);
    path.addArc({rect.maxX() - radius, rect.maxY() - radius}, radius, 0, quarter, false);
    path.addArc({rect.minX() + radius, rect.maxY() - radius}, radius, quarter, 2 * quarter, false);
    path.addArc({rect.minX() + radius, rect.minY() + radius}, radius, 2 * quarter, 3 * quarter, false);
    path.close();
    return path;
}

void RoundedRectangle::setAnimatableData(const std::vector<double>& data) {
    if (!data.empty()) {
        cornerRadius_ = data.front();
    }
}

} // namespace platform
