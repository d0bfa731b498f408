#include "Talkclock/MenuBarButton.h"

#include "Talkclock/ContentView.h"
#include "Talkclock/TimerDefaults.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Color.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/Panel.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/views/HostingController.h"

#include <string>

namespace Talkclock {

using namespace platform;

namespace {
const Selector clickedMenuAction = "clickedMenuWithSender:";
}

std::shared_ptr<MenuBarButton> MenuBarButton::make(Alarm alarm) {
    std::shared_ptr<MenuBarButton> button(new MenuBarButton());
    button->addAction(clickedMenuAction, [raw = button.get()](Object* sender) { raw->clickedMenu(sender); });
    button->setupStatusItem();
    button->setupPanel(std::move(alarm));
    return button;
}

void MenuBarButton::setupStatusItem() {
    item_ = StatusBar::system().statusItem(StatusItem::variableLength);
    if (auto button = item_->button()) {
        button->setTitle("");
        button->setAccessibilityHelp("");
        button->setToolTip(std::string(toolTip));
        button->setAppearsDisabled(false);
        updateIcon();
        button->setImagePosition(ImagePosition::imageLeft);
        button->setTarget(shared_from_this());
        button->setAction(clickedMenuAction);
        button->sendActionOn(EventMask::leftMouseUp | EventMask::rightMouseUp);
    }
}

void MenuBarButton::setupPanel(Alarm alarm) {
    auto content = HostingController::make(View::make<ContentView>(TimerDefaults::standard(), std::move(alarm)));
    auto panel = Panel::withContentViewController(content);
    panel->setContentSize(Size{380, 400});
    panel->setTitle(std::string(panelTitle));
    panel->setTitlebarSeparatorStyle(TitlebarSeparatorStyle::none);
    panel->setBackgroundColor(Color::clear());
    panel->setFloatingPanel(true);
    panel->setReleasedWhenClosed(false);
    panel->setHidesOnDeactivate(false);
    // The head-up style alone: no title bar, close button or resizing.
    panel->setStyleMask(WindowStyleMask::hudWindow);
    windowController_ = WindowController::make(panel);
}

void MenuBarButton::togglePanel() {
    auto window = windowController_->window();
    if (window && window->isVisible()) {
        window->orderOut(this);
    } else {
        windowController_->showWindow(this);
    }
}

void MenuBarButton::clickedMenu(Object*) {
    auto& application = Application::shared();
    const auto event = application.currentEvent().value_or(Event{});
    if (event.type == EventType::rightMouseUp) {
        application.terminate(this);
        return;
    }
    handleLeftClick(event);
}

void MenuBarButton::handleLeftClick(const Event& event) {
    if (!event.has(ModifierFlags::option)) {
        togglePanel();
    }
    updateIcon();
}

void MenuBarButton::updateIcon() {
    auto button = item_ ? item_->button() : nullptr;
    if (!button) {
        return;
    }
    auto image = Image::systemSymbol(std::string(symbolName), "");
    if (image) {
        // Sized here rather than once at start-up, so that setting the icon
        // again on a click leaves the item exactly as it was.
        const double side = StatusBar::system().thickness();
        image->setSize(Size{side, side});
        image->setTemplate(true);
    }
    button->setImage(image);
}

} // namespace Talkclock
