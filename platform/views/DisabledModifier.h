#pragma once

#include "platform/views/ViewModifier.h"

namespace platform {

// Disables the controls inside the view (they show so and cannot be used).
class DisabledModifier final : public ViewModifier {
public:
    explicit DisabledModifier(bool disabled) : disabled_(disabled) {}

    bool disabled() const { return disabled_; }

    std::string describe() const override;
    bool isInherited() const override { return true; }

private:
    bool disabled_;
};

} // namespace platform
