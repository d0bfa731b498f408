#pragma once

#include "platform/appkit/Color.h"
#include "platform/views/ViewModifier.h"

#include <utility>

namespace platform {

// A colour filling the view's bounds behind its content.
class BackgroundModifier final : public ViewModifier {
public:
    explicit BackgroundModifier(Color color) : color_(std::move(color)) {}

    const Color& color() const { return color_; }

    std::string describe() const override;

private:
    Color color_;
};

} // namespace platform
