#pragma once

#include "Folderdock/AppEntry.h"

#include "platform/appkit/MenuDelegate.h"
#include "platform/appkit/Object.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/WindowController.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/defaults/UserDefaults.h"

#include <memory>
#include <optional>
#include <string_view>

namespace platform {
class Menu;
class MenuItem;
} // namespace platform

namespace Folderdock {

// The status item and its menu of the applications in the remembered
// folder. Any click opens the menu; a folder dropped on the item becomes
// the remembered one. Each menu and submenu is filled from the file system
// as it opens, so opening costs only the folder shown. It is the delegate
// of its button's window, which passes the drops on, and of every menu.
class MenuBarButton : public platform::Object, public platform::WindowDelegate, public platform::MenuDelegate {
public:
    static constexpr std::string_view toolTip =
        "Drop an application folder here. \nUse menu to launch apps. \nRight click to quit.";
    static constexpr std::string_view symbolName = "apps.ipad.landscape";
    static constexpr std::string_view appDirectoryKey = "Folderdock.appDirectory";
    // Never shown; a folder's name replaces it once there is one.
    static constexpr std::string_view initialMenuTitle = "Cart";

    // Puts the item in the status bar, then lists the user's application
    // folders on standard output; drops are taken from a later turn of the
    // run loop on.
    static std::shared_ptr<MenuBarButton> make(platform::UserDefaults& defaults = platform::UserDefaults::standard());

    std::shared_ptr<platform::StatusItem> item() const { return item_; }
    std::shared_ptr<platform::WindowController> windowController() const { return windowController_; }
    bool useDefaultIcon() const { return useDefaultIcon_; }
    // Read afresh each time: nothing when no folder was dropped yet or the
    // stored value is no URL.
    std::optional<platform::URL> appDirectory() const;

    // The top menu is rebuilt, a folder's submenu filled, as each opens.
    void menuNeedsUpdate(platform::Menu& menu) override;
    // The action of an application entry, with the entry as sender.
    void launchApp(platform::Object* sender);

    platform::DragOperation draggingEntered(platform::DraggingInfo& info) override;
    // Takes a drag that carries a file URL, even one whose URL cannot be read.
    bool performDragOperation(platform::DraggingInfo& info) override;

private:
    explicit MenuBarButton(platform::UserDefaults& defaults) : defaults_(defaults) {}
    void setupStatusItem();
    void updateIcon();
    void registerDragTypes();
    void rebuildMenu(platform::Menu& menu);
    void fillFolderMenu(platform::Menu& menu);
    void addEntries(platform::Menu& menu, const platform::URL& folder);
    std::shared_ptr<platform::MenuItem> appMenuItem(const AppEntry& entry);
    std::shared_ptr<platform::MenuItem> folderMenuItem(const AppEntry& entry);

    std::shared_ptr<platform::StatusItem> item_;
    // This program never shows a window of its own.
    std::shared_ptr<platform::WindowController> windowController_;
    bool useDefaultIcon_ = true;
    platform::UserDefaults& defaults_;
};

} // namespace Folderdock
