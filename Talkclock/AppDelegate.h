#pragma once

#include "Talkclock/Alarm.h"
#include "Talkclock/MenuBarButton.h"

#include "platform/appkit/ApplicationDelegate.h"

#include <memory>
#include <utility>

namespace Talkclock {

class AppDelegate : public platform::ApplicationDelegate {
public:
    // `alarm` is what the panel's count plays at its target.
    explicit AppDelegate(Alarm alarm = Alarm()) : alarm_(std::move(alarm)) {}

    // Absent until launching has finished; then kept for the whole run.
    std::shared_ptr<MenuBarButton> barButton;

    // Closes the window group's window, so only the status item remains.
    void applicationDidFinishLaunching() override;

private:
    Alarm alarm_;
};

} // namespace Talkclock
