#pragma once

#include "platform/views/Shape.h"

namespace platform {

// A rectangle with circular corners of one radius (clip shapes, tiles).
class RoundedRectangle final : public BasicShape<RoundedRectangle> {
public:
    explicit RoundedRectangle(double cornerRadius) : cornerRadius_(cornerRadius) {}

    double cornerRadius() const { return cornerRadius_; }

    Path path(const Rect& rect) const override;
    std::vector<double> animatableData() const override { return {cornerRadius_}; }
    void setAnimatableData(const std::vector<double>& data) override;

private:
    double cornerRadius_;
};

} // namespace platform
