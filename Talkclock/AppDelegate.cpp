#include "Talkclock/AppDelegate.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"

namespace Talkclock {

void AppDelegate::applicationDidFinishLaunching() {
    auto windows = platform::Application::shared().windows();
    if (!windows.empty()) {
        windows.front()->close();
    }
    barButton = MenuBarButton::make(alarm_);
}

} // namespace Talkclock
