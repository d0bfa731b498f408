#include "platform/appkit/StatusBarButton.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Backend.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarWindow.h"
#include "platform/appkit/StatusItem.h"

namespace platform {

std::string describe(ImagePosition position) {
    switch (position) {
    case ImagePosition::noImage: return "noImage";
    case ImagePosition::imageOnly: return "imageOnly";
    case ImagePosition::imageLeft: return "imageLeft";
    case ImagePosition::imageRight: return "imageRight";
    case ImagePosition::imageBelow: return "imageBelow";
    case ImagePosition::imageAbove: return "imageAbove";
    case ImagePosition::imageOverlaps: return "imageOverlaps";
    case ImagePosition::imageLeading: return "imageLeading";
    case ImagePosition::imageTrailing: return "imageTrailing";
    }
    return "unknown";
}

std::uint64_t StatusBarButton::sendActionOn(std::uint64_t mask) {
    std::uint64_t previous = sendActionMask_;
    sendActionMask_ = mask;
    return previous;
}

void StatusBarButton::attachWindow() {
    auto item = item_.lock();
    if (window_ || !item) {
        return;
    }
    auto window = StatusBarWindow::make();
    const double thickness = StatusBar::system().thickness();
    window->setContentSize({item->length() >= 0 ? item->length() : thickness, thickness});
    window_ = window;
    window->orderFrontRegardless();
}

void StatusBarButton::detachWindow() {
    if (auto window = std::move(window_)) {
        window->close();
    }
}

bool StatusBarButton::handleMouseEvent(const Event& event) {
    auto item = item_.lock();
    if (!item || !enabled_) {
        return false;
    }
    const bool press = event.type == EventType::leftMouseDown || event.type == EventType::rightMouseDown;
    if (item->menu()) {
        if (!press) {
            return false;
        }
        if (auto* backend = Backend::installed()) {
            backend->popUpStatusItemMenu(*item);
        }
        return true;
    }
    if ((sendActionMask_ & EventMask::of(event.type)) == 0 || action_.empty()) {
        return false;
    }
    auto target = target_.lock();
    return Application::shared().sendAction(action_, target.get(), this);
}

} // namespace platform
