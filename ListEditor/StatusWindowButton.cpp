#include "ListEditor/StatusWindowButton.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"

#include <string>

namespace ListEditor {

using namespace platform;

namespace {
const Selector clickedMenuAction = "clickedMenuWithSender:";
}

StatusWindowButton::StatusWindowButton(StatusLook look) : look_(look) {
    addAction(clickedMenuAction, [this](Object* sender) { clickedMenu(sender); });
}

void StatusWindowButton::setupStatusItem() {
    auto& bar = StatusBar::system();
    item_ = bar.statusItem(bar.thickness());
    auto button = item_->button();
    if (!button) {
        return;
    }
    button->setTitle(std::string(look_.title));
    button->setAccessibilityHelp(std::string(look_.title));
    button->setToolTip(std::string(look_.toolTip));
    button->setAppearsDisabled(false);
    updateIcon();
    if (auto image = button->image()) {
        image->setSize(Size{bar.thickness(), bar.thickness()});
        image->setTemplate(true);
    }
    button->setAction(clickedMenuAction);
    button->setTarget(shared_from_this());
    button->sendActionOn(EventMask::leftMouseUp | EventMask::rightMouseUp);
}

void StatusWindowButton::updateIcon() {
    if (auto button = item_ ? item_->button() : nullptr) {
        button->setImage(Image::systemSymbol(std::string(look_.symbolName), ""));
    }
}

void StatusWindowButton::clickedMenu(Object*) {
    const auto event = Application::shared().currentEvent();
    if (event && event->type == EventType::rightMouseUp) {
        handleRightClick();
        return;
    }
    handleLeftClick();
}

void StatusWindowButton::handleLeftClick() {
    toggleWindow();
    updateIcon();
}

void StatusWindowButton::handleRightClick() { Application::shared().terminate(this); }

void StatusWindowButton::toggleWindow() {
    auto window = windowController_ ? windowController_->window() : nullptr;
    if (window && window->isVisible()) {
        window->close();
        return;
    }
    openWindow();
}

void StatusWindowButton::openWindow() {
    auto window = windowController_ ? windowController_->window() : nullptr;
    if (!window) {
        return;
    }
    windowController_->showWindow();
    window->makeKeyAndOrderFront();
    window->orderFrontRegardless();
}

} // namespace ListEditor
