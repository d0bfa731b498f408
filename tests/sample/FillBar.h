#pragma once

#include "platform/views/Shape.h"

#include <algorithm>
#include <vector>

namespace sample {

// A bar filled from the left edge to a fraction of its width; the fraction
// animates.
class FillBar : public platform::BasicShape<FillBar> {
public:
    explicit FillBar(double fraction) : fraction_(fraction) {}

    platform::Path path(const platform::Rect& rect) const override {
        double right = rect.minX() + rect.width() * std::clamp(fraction_, 0.0, 1.0);
        platform::Path path;
        path.move({rect.minX(), rect.minY()});
        path.line({right, rect.minY()});
        path.line({right, rect.maxY()});
        path.line({rect.minX(), rect.maxY()});
        path.close();
        return path;
    }
    std::vector<double> animatableData() const override { return {fraction_}; }
    void setAnimatableData(const std::vector<double>& data) override { fraction_ = data.at(0); }

private:
    double fraction_;
};

} // namespace sample
