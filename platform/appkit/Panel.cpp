#include "platform/appkit/Panel.h"

#include "platform/appkit/Application.h"

namespace platform {

std::shared_ptr<Panel> Panel::make() {
    std::shared_ptr<Panel> panel(new Panel());
    Application::shared().addWindow(panel);
    return panel;
}

std::shared_ptr<Panel> Panel::withContentViewController(std::shared_ptr<ViewController> controller) {
    auto panel = make();
    panel->setContentViewController(std::move(controller));
    return panel;
}

void Panel::setFloatingPanel(bool floating) {
    floating_ = floating;
    setLevel(floating ? WindowLevel::floating : WindowLevel::normal);
}

} // namespace platform
