#pragma once

#include "platform/views/ButtonStyle.h"
#include "platform/views/ViewModifier.h"

namespace platform {

// How the buttons inside the view are drawn.
class ButtonStyleModifier final : public ViewModifier {
public:
    explicit ButtonStyleModifier(ButtonStyle style) : style_(style) {}

    ButtonStyle style() const { return style_; }

    std::string describe() const override;
    bool isInherited() const override { return true; }

private:
    ButtonStyle style_;
};

} // namespace platform
