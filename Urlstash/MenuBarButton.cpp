#include "Urlstash/MenuBarButton.h"

#include "Urlstash/FatalError.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/PasteboardType.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/Workspace.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/runloop/DispatchQueue.h"

#include <string>

namespace Urlstash {

using namespace platform;

namespace {
const Selector clickedMenuAction = "clickedMenuWithSender:";
}

std::shared_ptr<MenuBarButton> MenuBarButton::make(UserDefaults& defaults) {
    std::shared_ptr<MenuBarButton> button(new MenuBarButton());
    button->addAction(clickedMenuAction, [raw = button.get()](Object* sender) { raw->clickedMenu(sender); });
    button->setupStatusItem();
    button->prepareLinkFile(defaults);
    return button;
}

void MenuBarButton::setupStatusItem() {
    const double thickness = StatusBar::system().thickness();
    item_ = StatusBar::system().statusItem(thickness);
    if (auto button = item_->button()) {
        button->setTitle(std::string(title));
        button->setAccessibilityHelp(std::string(title));
        button->setToolTip(std::string(toolTip));
        button->setAppearsDisabled(false);
        updateIcon();
        if (auto image = button->image()) {
            image->setSize(Size{thickness, thickness});
            image->setTemplate(true);
        }
        button->setTarget(shared_from_this());
        button->setAction(clickedMenuAction);
        button->sendActionOn(EventMask::leftMouseUp | EventMask::rightMouseUp);
    }
    // The button gets its window when the bar lays the item out, on a later turn.
    DispatchQueue::main().async(weakly(sharedAs<MenuBarButton>(), [](MenuBarButton& self) { self.registerDragTypes(); }));
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

void MenuBarButton::prepareLinkFile(UserDefaults& defaults) {
    const auto identifier = Bundle::main().bundleIdentifier();
    if (!identifier) {
        fatalError("Error getting Bundle.main.bundleIdentifier");
    }
    const auto supportFolders =
        FileManager::defaultManager().urlsForDirectory(SearchPathDirectory::applicationSupport, SearchPathDomain::user);
    // Without an Application Support folder there is nowhere to make one.
    if (supportFolders.empty()) {
        fatalError("An error occured when creating directory");
    }
    const URL folder = supportFolders.front().appendingPathComponent(*identifier, true).appendingPathComponent("Links", true);
    links_ = std::make_unique<LinkFile>(folder, defaults);
    if (!links_->prepareLinkFile()) {
        fatalError("An error occured when creating directory");
    }
}

void MenuBarButton::updateIcon() {
    if (auto button = item_ ? item_->button() : nullptr) {
        button->setImage(Image::systemSymbol(std::string(symbolName), ""));
    }
}

void MenuBarButton::clickedMenu(Object*) {
    const auto event = Application::shared().currentEvent();
    if (event && event->type == EventType::rightMouseUp) {
        handleRightClick();
    } else {
        handleLeftClick();
    }
}

void MenuBarButton::handleLeftClick() {
    Workspace::shared().open(links_->linksFolderURL());
    updateIcon();
}

void MenuBarButton::handleRightClick() { Application::shared().terminate(this); }

DragOperation MenuBarButton::draggingEntered(DraggingInfo&) { return DragOperation::copy; }

bool MenuBarButton::performDragOperation(DraggingInfo& info) { return handleDrop(info); }

bool MenuBarButton::handleDrop(DraggingInfo& info) {
    const Pasteboard& pasteboard = info.draggingPasteboard();
    if (!pasteboard.declares(PasteboardType::URL)) {
        return false;
    }
    // Neither text that is no link (no scheme, say) nor a link that could
    // not be written is answered as taken.
    auto url = URLFromPasteboard(pasteboard);
    return url && links_->logLink(*url, pasteboard.string(PasteboardType::URLName));
}

} // namespace Urlstash
