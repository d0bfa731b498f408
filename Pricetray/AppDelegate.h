#pragma once

#include "Pricetray/MenuBarButton.h"

#include "platform/appkit/ApplicationDelegate.h"

#include <memory>

namespace Pricetray {

class AppDelegate : public platform::ApplicationDelegate {
public:
    // Absent until launching has finished; then kept for the whole run.
    std::shared_ptr<MenuBarButton> barButton;

    // Closes the window group's window, so only the status item remains.
    void applicationDidFinishLaunching() override;
};

} // namespace Pricetray
