#pragma once

#include "platform/views/EdgeInsets.h"
#include "platform/views/ViewModifier.h"

namespace platform {

// Space around the view, in points per edge.
class PaddingModifier final : public ViewModifier {
public:
    explicit PaddingModifier(EdgeInsets insets) : insets_(insets) {}

    const EdgeInsets& insets() const { return insets_; }

    std::string describe() const override;

private:
    EdgeInsets insets_;
};

} // namespace platform
