#include "Talkclock/TargetCurve.h"

#include <algorithm>
#include <cmath>

namespace Talkclock {

namespace {

// The rounding step for an unrounded target; none below one second.
double stepFor(double seconds) {
    if (seconds > 21600) {
        return 1800;
    }
    if (seconds > 10800) {
        return 900;
    }
    if (seconds > 3600) {
        return 300;
    }
    if (seconds > 600) {
        return 60;
    }
    if (seconds > 60) {
        return 30;
    }
    if (seconds > 1) {
        return 5;
    }
    return 0;
}

} // namespace

double TargetCurve::quantizeTarget(double position) {
    // Clamped so that no stored length, however odd, leads to a power that
    // overflows into a target that is not a number.
    const double x = max * std::pow(std::clamp(position, 0.0, max) / max, 5);
    const double step = stepFor(x);
    if (step == 0) {
        return 1;
    }
    // The IEEE remainder rounds to the nearest multiple, halves to the even one.
    return x - std::remainder(x, step);
}

double TargetCurve::sliderPosition(double target) {
    return std::round(max * std::pow(std::max(target, 0.0) / max, 0.2));
}

} // namespace Talkclock
