#include "platform/appkit/StatusBarWindow.h"

#include "platform/appkit/Application.h"

namespace platform {

std::shared_ptr<StatusBarWindow> StatusBarWindow::make() {
    std::shared_ptr<StatusBarWindow> window(new StatusBarWindow());
    window->setStyleMask(WindowStyleMask::borderless);
    window->setLevel(WindowLevel::statusBar);
    window->setBackgroundColor(Color::clear());
    window->setReleasedWhenClosed(false);
    Application::shared().addWindow(window);
    return window;
}

} // namespace platform
