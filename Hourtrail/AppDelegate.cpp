#include "Hourtrail/AppDelegate.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"

namespace Hourtrail {

void AppDelegate::applicationDidFinishLaunching() {
    auto windows = platform::Application::shared().windows();
    if (!windows.empty()) {
        windows.front()->close();
    }
    barButton = MenuBarButton::make();
}

void AppDelegate::applicationWillTerminate() {
    if (barButton) {
        barButton->tracker().saveUnsavedCredits();
    }
}

} // namespace Hourtrail
