#pragma once

#include "platform/views/ViewModifier.h"

namespace platform {

// How opaque the view is drawn (0 invisible, 1 opaque); an invisible control still works.
class OpacityModifier final : public ViewModifier {
public:
    explicit OpacityModifier(double opacity) : opacity_(opacity) {}

    double opacity() const { return opacity_; }

    std::string describe() const override;

private:
    double opacity_;
};

} // namespace platform
