#include "Carryover/MenuBarButton.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/PasteboardType.h"
#include "platform/appkit/Sound.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/Workspace.h"
#include "platform/runloop/DispatchQueue.h"

#include <string>

namespace Carryover {

using namespace platform;

namespace {
const Selector clickedMenuAction = "clickedMenuWithSender:";
}

std::shared_ptr<MenuBarButton> MenuBarButton::make(UserDefaults& defaults) {
    std::shared_ptr<MenuBarButton> button(new MenuBarButton());
    button->addAction(clickedMenuAction, [raw = button.get()](Object* sender) { raw->clickedMenu(sender); });
    button->links_ = LinkStore::load(defaults);
    button->links_->setDelegate(button->weakAs<LinkStoreDelegate>());
    button->setupStatusItem();
    button->links_->setupDateForwarding();
    return button;
}

void MenuBarButton::setupStatusItem() {
    item_ = StatusBar::system().statusItem(StatusItem::variableLength);
    if (auto button = item_->button()) {
        button->setTitle("");
        button->setAccessibilityHelp("");
        button->setToolTip(std::string(baseToolTip));
        button->setAppearsDisabled(false);
        updateIcon();
        if (auto image = button->image()) {
            const double side = StatusBar::system().thickness();
            image->setSize(Size{side, side});
            image->setTemplate(true);
        }
        button->setImagePosition(ImagePosition::imageLeft);
        button->setTarget(shared_from_this());
        button->setAction(clickedMenuAction);
        button->sendActionOn(EventMask::leftMouseUp | EventMask::rightMouseUp);
    }
    // The button gets its window when the bar lays the item out, on a later turn.
    DispatchQueue::main().async(
        weakly(sharedAs<MenuBarButton>(), [](MenuBarButton& self) { self.registerDragTypes(); }));
}

void MenuBarButton::registerDragTypes() {
    auto button = item_ ? item_->button() : nullptr;
    auto window = button ? button->window() : nullptr;
    if (!window) {
        return;
    }
    window->registerForDraggedTypes({PasteboardType::URL});
    window->setDelegate(sharedAs<WindowDelegate>());
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
    links_->takeListForOpening(event.has(ModifierFlags::option),
                               [](const URL& url) { return Workspace::shared().open(url); });
}

DragOperation MenuBarButton::draggingEntered(DraggingInfo&) { return DragOperation::copy; }

bool MenuBarButton::performDragOperation(DraggingInfo& info) {
    const Pasteboard& pasteboard = info.draggingPasteboard();
    if (!pasteboard.declares(PasteboardType::URL)) {
        return false;
    }
    // Text that is no link (no scheme, say) is refused, so that the source
    // does not take a drop that kept nothing for a success.
    auto url = URLFromPasteboard(pasteboard);
    if (!url) {
        return false;
    }
    links_->addLink(*url, pasteboard.string(PasteboardType::URLName));
    return true;
}

void MenuBarButton::updateIcon() {
    auto button = item_ ? item_->button() : nullptr;
    if (!button) {
        return;
    }
    const Store& links = links_->store();
    const bool olderWait = !links.storedLinks.empty();
    button->setTitle(olderWait ? std::to_string(links.storedLinks.size()) : "");
    button->setImage(Image::systemSymbol(std::string(symbolName), ""));
    button->setToolTip(olderWait ? "Click to open " + std::to_string(links.storedLinks.size()) +
                                       " links older than one day."
                                 : std::string(baseToolTip) + "\n" + std::to_string(links.newLinks.size()) +
                                       " links pending");
}

void MenuBarButton::playDropSound() {
    if (auto sound = Sound::named(std::string(dropSoundName))) {
        sound->play();
    }
}

} // namespace Carryover
