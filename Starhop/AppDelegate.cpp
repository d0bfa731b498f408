#include "Starhop/AppDelegate.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/PasteboardType.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/Workspace.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/runloop/DispatchQueue.h"

#include <string>

namespace Starhop {

using namespace platform;

namespace {
const Selector clickedBarButtonAction = "clickedBarButtonWithSender:";
}

AppDelegate::AppDelegate() {
    addAction(clickedBarButtonAction, [this](Object* sender) { clickedBarButton(sender); });
}

void AppDelegate::applicationDidFinishLaunching() {
    auto windows = Application::shared().windows();
    if (!windows.empty()) {
        windows.front()->close();
    }
    url = UserDefaults::standard().url(urlKey);
    setupStatusItem();
}

void AppDelegate::setupStatusItem() {
    item = StatusBar::system().statusItem(StatusBar::system().thickness());
    if (auto button = item->button()) {
        button->setTitle(std::string(title));
        button->setAccessibilityHelp(std::string(accessibilityHelp));
        button->setAppearsDisabled(false);
        updateTooltip();
        button->setAction(clickedBarButtonAction);
        button->setTarget(shared_from_this());
        button->sendActionOn(EventMask::leftMouseUp | EventMask::rightMouseUp);
    }
    // The button gets its window when the bar lays the item out, on a later turn.
    DispatchQueue::main().async(weakly(sharedAs<AppDelegate>(), [](AppDelegate& self) { self.registerDragTypes(); }));
}

void AppDelegate::registerDragTypes() {
    auto button = item ? item->button() : nullptr;
    auto window = button ? button->window() : nullptr;
    if (!window) {
        return;
    }
    window->registerForDraggedTypes({PasteboardType::URL});
    window->setDelegate(sharedAs<WindowDelegate>());
}

void AppDelegate::updateTooltip() {
    auto button = item ? item->button() : nullptr;
    if (!button) {
        return;
    }
    button->setToolTip(url ? std::string(openToolTipPrefix) + url->absoluteString() : std::string(emptyToolTip));
}

void AppDelegate::storeURL(const std::optional<URL>& newURL) {
    url = newURL;
    UserDefaults::standard().setURL(url, urlKey);
    updateTooltip();
}

void AppDelegate::clickedBarButton(Object*) {
    auto& application = Application::shared();
    const auto event = application.currentEvent().value_or(Event{});
    if (event.type == EventType::rightMouseUp) {
        application.terminate(this);
    } else if (event.has(ModifierFlags::option)) {
        storeURL(std::nullopt);
    } else if (url) {
        Workspace::shared().open(*url);
    }
}

DragOperation AppDelegate::draggingEntered(DraggingInfo&) { return DragOperation::copy; }

bool AppDelegate::performDragOperation(DraggingInfo& info) { return handleDrop(info); }

bool AppDelegate::handleDrop(DraggingInfo& info) {
    const Pasteboard& pasteboard = info.draggingPasteboard();
    if (!pasteboard.declares(PasteboardType::URL)) {
        return false;
    }
    // Text that is no link (no scheme, say) is refused, as plain text is.
    auto dropped = URLFromPasteboard(pasteboard);
    if (!dropped) {
        return false;
    }
    storeURL(dropped);
    return true;
}

} // namespace Starhop
