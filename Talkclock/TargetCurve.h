#pragma once

namespace Talkclock {

// The slider moves linearly while the target follows a fifth power of its
// position, so short lengths get fine control and long ones coarse steps.
struct TargetCurve {
    // The slider's ends: positions, in the same units as the targets.
    static constexpr double sliderMinimum = 8000;
    // Twelve hours, the largest target the slider gives.
    static constexpr double max = 43200;

    // The target for a slider position, rounded to a step that grows with it
    // (5 s for short lengths up to half an hour for the longest). Positions
    // outside 0...max count as the nearer end.
    static double quantizeTarget(double position);
    // The whole slider position nearest to a target's place on the curve;
    // a negative target counts as 0.
    static double sliderPosition(double target);
};

} // namespace Talkclock
