#pragma once

#include "Hourtrail/MenuBarButton.h"

#include "platform/appkit/ApplicationDelegate.h"

#include <memory>

namespace Hourtrail {

class AppDelegate : public platform::ApplicationDelegate {
public:
    // Absent until launching has finished; then kept for the whole run.
    std::shared_ptr<MenuBarButton> barButton;

    // Closes the window group's window, so only the status item remains,
    // and starts tracking.
    void applicationDidFinishLaunching() override;
    // Writes the credits the periodic save has not reached yet.
    void applicationWillTerminate() override;
};

} // namespace Hourtrail
