#pragma once

#include "platform/views/ViewModifier.h"

namespace platform {

// The view keeps its natural size in the given directions instead of
// taking the size its container offers.
class FixedSizeModifier final : public ViewModifier {
public:
    FixedSizeModifier(bool horizontal, bool vertical) : horizontal_(horizontal), vertical_(vertical) {}

    bool horizontal() const { return horizontal_; }
    bool vertical() const { return vertical_; }

    std::string describe() const override;

private:
    bool horizontal_;
    bool vertical_;
};

} // namespace platform
