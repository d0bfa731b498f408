#pragma once

#include "platform/views/ViewModifier.h"

#include <functional>
#include <utility>

namespace platform {

// An action run when the view first appears in a shown window (or when it is
// added to a window already shown). The view graph runs it; hiding the window
// again does not make it run a second time.
class AppearModifier final : public ViewModifier {
public:
    explicit AppearModifier(std::function<void()> action) : action_(std::move(action)) {}

    const std::function<void()>& action() const { return action_; }

    std::string describe() const override { return ".onAppear"; }

private:
    std::function<void()> action_;
};

} // namespace platform
