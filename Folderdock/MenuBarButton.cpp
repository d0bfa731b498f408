#include "Folderdock/MenuBarButton.h"

#include "Folderdock/AppEntries.h"
#include "Folderdock/ApplicationLog.h"

#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/appkit/PasteboardType.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/Workspace.h"
#include "platform/foundation/FileManager.h"
#include "platform/runloop/DispatchQueue.h"

#include <algorithm>
#include <iostream>
#include <string>

namespace Folderdock {

using namespace platform;

namespace {
const Selector launchAppAction = "launchAppWithSender:";
}

std::shared_ptr<MenuBarButton> MenuBarButton::make(UserDefaults& defaults) {
    std::shared_ptr<MenuBarButton> button(new MenuBarButton(defaults));
    button->addAction(launchAppAction, [raw = button.get()](Object* sender) { raw->launchApp(sender); });
    button->setupStatusItem();
    for (const URL& folder :
         FileManager::defaultManager().urlsForDirectory(SearchPathDirectory::applications, SearchPathDomain::user)) {
        logApplications(folder);
    }
    return button;
}

std::optional<URL> MenuBarButton::appDirectory() const { return defaults_.url(appDirectoryKey); }

void MenuBarButton::setupStatusItem() {
    item_ = StatusBar::system().statusItem(StatusItem::variableLength);
    if (auto button = item_->button()) {
        button->setTitle("");
        button->setAccessibilityHelp("");
        button->setToolTip(std::string(toolTip));
        button->setAppearsDisabled(false);
        updateIcon();
        if (auto image = button->image()) {
            const double side = StatusBar::system().thickness();
            image->setSize(Size{side, side});
            image->setTemplate(true);
        }
        button->setImagePosition(ImagePosition::imageLeft);
        button->setTarget(shared_from_this());
    }
    auto menu = Menu::make(std::string(initialMenuTitle));
    menu->setDelegate(sharedAs<MenuDelegate>());
    item_->setMenu(menu);
    // The button gets its window when the bar lays the item out, on a later turn.
    DispatchQueue::main().async(
        weakly(sharedAs<MenuBarButton>(), [](MenuBarButton& self) { self.registerDragTypes(); }));
}

void MenuBarButton::updateIcon() {
    if (auto button = item_ ? item_->button() : nullptr) {
        button->setImage(Image::systemSymbol(std::string(symbolName), ""));
    }
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

void MenuBarButton::menuNeedsUpdate(Menu& menu) {
    if (item_ && item_->menu().get() == &menu) {
        rebuildMenu(menu);
    } else {
        fillFolderMenu(menu);
    }
}

void MenuBarButton::rebuildMenu(Menu& menu) {
    menu.removeAllItems();
    if (auto folder = appDirectory()) {
        menu.setTitle(folder->lastPathComponent());
        addEntries(menu, *folder);
    }
    // Always there, so the program can be quit from its item even before a
    // folder is dropped.
    menu.addItem(MenuItem::separator());
    // No target, and nothing in the program answers it: it shows disabled.
    menu.addItem("Preferences", "showPreferencesWindow:");
    // No target: it goes up to the application, which terminates.
    menu.addItem("Quit", "terminate:");
}

void MenuBarButton::fillFolderMenu(Menu& menu) {
    auto supermenu = menu.supermenu();
    if (!supermenu) {
        return;
    }
    const auto& entries = supermenu->items();
    auto owner = std::find_if(entries.begin(), entries.end(),
                              [&](const std::shared_ptr<MenuItem>& entry) { return entry->submenu().get() == &menu; });
    const URL* folder = owner == entries.end() ? nullptr : std::any_cast<URL>(&(*owner)->representedObject());
    if (!folder) {
        return;
    }
    menu.removeAllItems();
    addEntries(menu, *folder);
}

void MenuBarButton::addEntries(Menu& menu, const URL& folder) {
    for (const AppEntry& entry : appEntries(folder, Workspace::shared().runningApplications())) {
        menu.addItem(entry.kind == AppEntry::Kind::folder ? folderMenuItem(entry) : appMenuItem(entry));
    }
}

std::shared_ptr<MenuItem> MenuBarButton::folderMenuItem(const AppEntry& entry) {
    auto folderItem = MenuItem::make(entry.title);
    // Its entries are listed only when the submenu opens, from this folder.
    folderItem->setRepresentedObject(entry.url);
    auto submenu = Menu::make(entry.title);
    submenu->setDelegate(sharedAs<MenuDelegate>());
    folderItem->setSubmenu(submenu);
    return folderItem;
}

std::shared_ptr<MenuItem> MenuBarButton::appMenuItem(const AppEntry& entry) {
    auto appItem = MenuItem::make(entry.title, launchAppAction);
    // Without a target the action finds no one to answer it, so the menu
    // shows a running application disabled.
    if (!entry.running) {
        appItem->setTarget(shared_from_this());
    }
    appItem->setRepresentedObject(entry.url);
    return appItem;
}

void MenuBarButton::launchApp(Object* sender) {
    auto* entry = dynamic_cast<MenuItem*>(sender);
    if (const URL* application = entry ? std::any_cast<URL>(&entry->representedObject()) : nullptr) {
        Workspace::shared().open(*application);
    }
}

DragOperation MenuBarButton::draggingEntered(DraggingInfo&) { return DragOperation::copy; }

bool MenuBarButton::performDragOperation(DraggingInfo& info) {
    const Pasteboard& pasteboard = info.draggingPasteboard();
    if (!pasteboard.declares(PasteboardType::fileURL)) {
        return false;
    }
    // The file URL the drag announced, not a web link it may carry as well.
    const auto text = pasteboard.string(PasteboardType::fileURL);
    const auto url = text ? URL::fromString(*text) : std::nullopt;
    if (!url || !url->isFileURL()) {
        return true;
    }
    std::cout << url->absoluteString() << '\n';
    logApplications(*url, std::cout);
    defaults_.setURL(*url, appDirectoryKey);
    return true;
}

} // namespace Folderdock
