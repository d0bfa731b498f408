#pragma once

#include "platform/appkit/Color.h"
#include "platform/views/ViewModifier.h"

#include <utility>

namespace platform {

// The colour of texts, symbols and unfilled shapes inside the view.
class ForegroundColorModifier final : public ViewModifier {
public:
    explicit ForegroundColorModifier(Color color) : color_(std::move(color)) {}

    const Color& color() const { return color_; }

    std::string describe() const override;
    bool isInherited() const override { return true; }

private:
    Color color_;
};

} // namespace platform
