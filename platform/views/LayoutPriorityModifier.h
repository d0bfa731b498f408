#pragma once

#include "platform/views/ViewModifier.h"

namespace platform {

// Which views of a stack keep their size first when space runs short (higher first).
class LayoutPriorityModifier final : public ViewModifier {
public:
    explicit LayoutPriorityModifier(double priority) : priority_(priority) {}

    double priority() const { return priority_; }

    std::string describe() const override;

private:
    double priority_;
};

} // namespace platform
