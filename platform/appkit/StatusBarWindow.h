#pragma once

#include "platform/appkit/Window.h"

namespace platform {

// The small window a status item's button is drawn in, at the status-bar
// level. It never becomes key; drags over the item arrive through it.
class StatusBarWindow final : public Window {
public:
    static std::shared_ptr<StatusBarWindow> make();

    std::string kind() const override { return "status bar window"; }
    bool canBecomeKeyWindow() const override { return false; }

private:
    StatusBarWindow() = default;
};

} // namespace platform
