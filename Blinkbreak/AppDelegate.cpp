#include "Blinkbreak/AppDelegate.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/Workspace.h"
#include "platform/combine/TimerPublisher.h"
#include "platform/foundation/DebugLine.h"
#include "platform/foundation/URL.h"
#include "platform/runloop/DispatchQueue.h"

#include <string>

namespace Blinkbreak {

using namespace platform;

namespace {

const Selector toggleAction = "toggleStretchEyesWithSender:";

// Every window of the application but the status item's.
std::vector<std::shared_ptr<Window>> reminderWindows() {
    std::vector<std::shared_ptr<Window>> found;
    for (const auto& window : Application::shared().windows()) {
        if (window->level() != WindowLevel::statusBar) {
            found.push_back(window);
        }
    }
    return found;
}

} // namespace

AppDelegate::AppDelegate() {
    addAction(toggleAction, [this](Object* sender) { toggleStretchEyes(sender); });
}

void AppDelegate::applicationDidFinishLaunching() {
    auto windows = Application::shared().windows();
    if (!windows.empty()) {
        windows.front()->close();
    }
    setupStatusItem();
    startReminders();
}

void AppDelegate::applicationWillBecomeActive() { debugPrint("huh"); }

void AppDelegate::setupStatusItem() {
    item = StatusBar::system().statusItem(itemLength);
    auto button = item->button();
    if (!button) {
        return;
    }
    button->setTitle(std::string(title));
    button->setAccessibilityHelp(std::string(title));
    button->setToolTip(running ? "Remind me to stretch eyes" : "Don't remind me to stretch eyes");
    button->setAppearsDisabled(false);
    updateIcon();
    if (auto image = button->image()) {
        image->setSize(Size{itemLength, itemLength});
        image->setTemplate(true);
    }
    button->setAction(toggleAction);
    button->setTarget(shared_from_this());
    button->sendActionOn(EventMask::leftMouseUp | EventMask::rightMouseUp);
}

void AppDelegate::updateIcon() {
    if (auto button = item ? item->button() : nullptr) {
        button->setImage(Image::systemSymbol(running ? "eye.fill" : "eye.slash.fill",
                                             "Toggle whether to be reminded of eye stretching"));
    }
}

void AppDelegate::startReminders() {
    subscriptions.clear();
    // Common modes: a reminder is due even while a menu is being tracked.
    TimerPublisher::publish(reminderInterval, RunLoop::main(), RunLoop::Mode::common)
        .autoconnect()
        .sink(weakly(sharedAs<AppDelegate>(), [](AppDelegate& self, const Date&) { self.showReminder(); }))
        .store(subscriptions);
}

void AppDelegate::toggleStretchEyes(Object*) {
    // Without an event to read, the click counts as a left one.
    const auto event = Application::shared().currentEvent();
    if (event && event->type == EventType::rightMouseUp) {
        Application::shared().terminate(this);
        return;
    }
    if (running) {
        subscriptions.clear();
        running = false;
    } else {
        running = true;
        startReminders();
    }
    updateIcon();
}

void AppDelegate::showReminder() {
    closeReminderWindows();
    if (auto url = URL::fromString(std::string(reminderURL))) {
        Workspace::shared().open(*url);
    }
}

void AppDelegate::closeReminderWindows() {
    for (const auto& window : reminderWindows()) {
        window->close();
    }
}

void AppDelegate::floatReminderWindows() {
    for (const auto& window : reminderWindows()) {
        window->setCollectionBehavior(WindowCollectionBehavior::canJoinAllSpaces);
        window->setLevel(WindowLevel::floating);
        window->resignKeyWindow();
    }
}

} // namespace Blinkbreak
