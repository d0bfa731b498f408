#pragma once

#include "platform/appkit/Window.h"

namespace platform {

class ViewController;

// A window that assists the main ones. A floating panel stays above normal
// windows; by default a panel hides while the application is inactive.
class Panel final : public Window {
public:
    static std::shared_ptr<Panel> make();
    static std::shared_ptr<Panel> withContentViewController(std::shared_ptr<ViewController> controller);

    std::string kind() const override { return "panel"; }

    bool isFloatingPanel() const { return floating_; }
    // Moves the panel to the floating level, or back to the normal one.
    void setFloatingPanel(bool floating);

    bool hidesOnDeactivate() const override { return hidesOnDeactivate_; }
    void setHidesOnDeactivate(bool hides) { hidesOnDeactivate_ = hides; }

private:
    Panel() = default;

    bool floating_ = false;
    bool hidesOnDeactivate_ = true;
};

} // namespace platform
