#pragma once

#include "Carryover/LinkStore.h"
#include "Carryover/LinkStoreDelegate.h"

#include "platform/appkit/Event.h"
#include "platform/appkit/Object.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/WindowController.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/defaults/UserDefaults.h"

#include <memory>
#include <string_view>

namespace Carryover {

// The status item and everything the user does with it: a plain click opens
// the links older than a day, an option-click today's, a right click quits,
// and a link dropped on it is kept. It is the delegate of its button's window,
// which passes the drops on.
class MenuBarButton : public platform::Object,
                      public platform::WindowDelegate,
                      public LinkStoreDelegate {
public:
    static constexpr std::string_view baseToolTip =
        "Drop a link here to save it. \nClick to open links from previous days. \nRight click to quit.";
    static constexpr std::string_view symbolName = "arrowshape.bounce.right";
    static constexpr std::string_view dropSoundName = "Glass";

    // Loads the links, puts the item in the status bar and schedules the
    // first timed rollover; drops are taken from a later turn of the run loop on.
    static std::shared_ptr<MenuBarButton> make(platform::UserDefaults& defaults = platform::UserDefaults::standard());

    std::shared_ptr<platform::StatusItem> item() const { return item_; }
    std::shared_ptr<platform::WindowController> windowController() const { return windowController_; }
    bool useDefaultIcon() const { return useDefaultIcon_; }
    const Store& store() const { return links_->store(); }
    platform::Date lastLog() const { return links_->lastLog(); }

    // The button's action, on left- and right-button release.
    void clickedMenu(platform::Object* sender);
    void handleLeftClick(const platform::Event& event);

    platform::DragOperation draggingEntered(platform::DraggingInfo& info) override;
    bool performDragOperation(platform::DraggingInfo& info) override;

    void updateIcon() override;
    void playDropSound() override;

private:
    MenuBarButton() = default;
    void setupStatusItem();
    void registerDragTypes();

    std::shared_ptr<platform::StatusItem> item_;
    // This program never shows a window of its own.
    std::shared_ptr<platform::WindowController> windowController_;
    bool useDefaultIcon_ = true;
    std::shared_ptr<LinkStore> links_;
};

} // namespace Carryover
