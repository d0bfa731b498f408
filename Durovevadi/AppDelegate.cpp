#include "Durovevadi/AppDelegate.h"

#include "platform/appkit/AppleScript.h"
#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/defaults/UserDefaults.h"

#include <iostream>
#include <string>

namespace Durovevadi {

using namespace platform;

namespace {
const Selector toggleDarkModeAction = "toggleDarkModeWithSender:";
}

AppDelegate::AppDelegate() {
    addAction(toggleDarkModeAction, [this](Object* sender) { toggleDarkMode(sender); });
}

void AppDelegate::applicationDidFinishLaunching() {
    auto windows = Application::shared().windows();
    if (!windows.empty()) {
        windows.front()->close();
    }
    setupStatusItem();
}

void AppDelegate::setupStatusItem() {
    item = StatusBar::system().statusItem(length);
    if (auto button = item->button()) {
        button->setTitle(std::string(title));
        button->setAccessibilityHelp(std::string(title));
        button->setToolTip(std::string(title));
        button->setAppearsDisabled(false);
        updateIcon();
        if (auto image = button->image()) {
            image->setSize(Size{length, length});
            image->setTemplate(true);
        }
        button->setAction(toggleDarkModeAction);
        button->setTarget(shared_from_this());
        button->sendActionOn(EventMask::leftMouseUp | EventMask::rightMouseUp);
    }
}

void AppDelegate::updateIcon() {
    const std::string style = UserDefaults::standard().string(appearanceKey).value_or("Light");
    const std::string_view symbol = style == "Light" ? lightSymbol : darkSymbol;
    if (auto button = item ? item->button() : nullptr) {
        button->setImage(Image::systemSymbol(std::string(symbol), std::string(title)));
    }
}

void AppDelegate::toggleDarkMode(Object*) {
    auto& application = Application::shared();
    if (application.currentEvent().value_or(Event{}).type == EventType::rightMouseUp) {
        application.terminate(this);
        return;
    }
    std::cout << "Left click!\n" << std::flush;
    if (auto script = AppleScript::withSource(std::string(toggleScript))) {
        script->executeAndReturnError();
    }
    updateIcon();
}

} // namespace Durovevadi
