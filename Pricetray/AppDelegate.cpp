#include "Pricetray/AppDelegate.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"

namespace Pricetray {

void AppDelegate::applicationDidFinishLaunching() {
    auto windows = platform::Application::shared().windows();
    if (!windows.empty()) {
        windows.front()->close();
    }
    barButton = MenuBarButton::make();
}

} // namespace Pricetray
