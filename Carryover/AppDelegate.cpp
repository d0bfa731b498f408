#include "Carryover/AppDelegate.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"

namespace Carryover {

void AppDelegate::applicationDidFinishLaunching() {
    auto windows = platform::Application::shared().windows();
    if (!windows.empty()) {
        windows.front()->close();
    }
    barButton = MenuBarButton::make();
}

} // namespace Carryover
