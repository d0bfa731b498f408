#pragma once

#include "platform/views/ViewModifier.h"

#include <optional>

namespace platform {

// The size a view is given: fixed lengths, or limits between which it may
// grow (a maximum of infinity lets it take all the space offered).
struct FrameLimits {
    std::optional<double> width = std::nullopt;
    std::optional<double> height = std::nullopt;
    std::optional<double> minWidth = std::nullopt;
    std::optional<double> maxWidth = std::nullopt;
    std::optional<double> minHeight = std::nullopt;
    std::optional<double> maxHeight = std::nullopt;

    bool operator==(const FrameLimits&) const = default;
};

class FrameModifier final : public ViewModifier {
public:
    explicit FrameModifier(FrameLimits limits) : limits_(limits) {}

    const FrameLimits& limits() const { return limits_; }

    // ".frame(width: 60, height: 60)", ".frame(minWidth: 200, minHeight: 200)".
    std::string describe() const override;

private:
    FrameLimits limits_;
};

} // namespace platform
