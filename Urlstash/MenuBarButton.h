#pragma once

#include "Urlstash/LinkFile.h"

#include "platform/appkit/Object.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/WindowController.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/defaults/UserDefaults.h"

#include <memory>
#include <optional>
#include <string_view>

namespace Urlstash {

// The status item and everything the user does with it: a link dropped on
// it goes to the link file, a left click reveals the file's folder, a right
// click quits. It is the delegate of its button's window, which passes the
// drops on.
class MenuBarButton : public platform::Object, public platform::WindowDelegate {
public:
    static constexpr std::string_view title = "📥";
    static constexpr std::string_view toolTip =
        "Drop a link to save to file. \nClick to reveal folder. \nRight click to quit.";
    static constexpr std::string_view symbolName = "archivebox";

    // Puts the item in the status bar and prepares the link file; drops are
    // taken from a later turn of the run loop on. Stops the program when it
    // has no bundle identifier or the link folder cannot be created.
    static std::shared_ptr<MenuBarButton> make(platform::UserDefaults& defaults = platform::UserDefaults::standard());

    std::shared_ptr<platform::StatusItem> item() const { return item_; }
    std::shared_ptr<platform::WindowController> windowController() const { return windowController_; }
    bool useDefaultIcon() const { return useDefaultIcon_; }
    std::optional<platform::Date> mostRecentLog() const { return links_->mostRecentLog(); }
    const platform::URL& linksFolderURL() const { return links_->linksFolderURL(); }
    const platform::URL& linksFileURL() const { return links_->linksFileURL(); }

    void updateIcon();
    // The button's action, on left- and right-button release.
    void clickedMenu(platform::Object* sender);
    void handleLeftClick();
    void handleRightClick();

    platform::DragOperation draggingEntered(platform::DraggingInfo& info) override;
    bool performDragOperation(platform::DraggingInfo& info) override;
    // Takes every drag that announces a URL, also one whose URL cannot be read.
    bool handleDrop(platform::DraggingInfo& info);

private:
    MenuBarButton() = default;
    void setupStatusItem();
    void registerDragTypes();
    void prepareLinkFile(platform::UserDefaults& defaults);

    std::shared_ptr<platform::StatusItem> item_;
    // This program never shows a window of its own.
    std::shared_ptr<platform::WindowController> windowController_;
    bool useDefaultIcon_ = true;
    std::unique_ptr<LinkFile> links_;
};

} // namespace Urlstash
