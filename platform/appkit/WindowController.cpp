#include "platform/appkit/WindowController.h"

#include "platform/appkit/Window.h"

namespace platform {

std::shared_ptr<WindowController> WindowController::make(std::shared_ptr<Window> window) {
    return std::make_shared<WindowController>(std::move(window));
}

void WindowController::showWindow(Object* sender) {
    if (!window_) {
        return;
    }
    if (window_->canBecomeKeyWindow()) {
        window_->makeKeyAndOrderFront(sender);
    } else {
        window_->orderFront(sender);
    }
}

void WindowController::close() {
    if (window_) {
        window_->close();
    }
}

} // namespace platform
