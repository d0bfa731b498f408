#pragma once

#include "ListEditor/StatusLook.h"

#include "platform/appkit/Object.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/WindowController.h"

#include <memory>

namespace ListEditor {

// A square status item that shows and hides one window: a left click (any
// click but a right-button release) toggles the window, a right click quits.
// The window is made by the subclass, which sets `windowController_`.
class StatusWindowButton : public platform::Object {
public:
    std::shared_ptr<platform::StatusItem> item() const { return item_; }
    std::shared_ptr<platform::WindowController> windowController() const { return windowController_; }
    bool useDefaultIcon() const { return useDefaultIcon_; }

    // The button's action, on left- and right-button release.
    void clickedMenu(platform::Object* sender);
    void handleLeftClick();
    void handleRightClick();
    void toggleWindow();
    // Brings the window in front although a menu-bar program is never the
    // frontmost one.
    void openWindow();
    // A new symbol image on every call; its size and template mark are set
    // only once, at setup.
    void updateIcon();

protected:
    explicit StatusWindowButton(StatusLook look);

    // Needs the object to be owned by a shared pointer: the button targets it.
    void setupStatusItem();

    std::shared_ptr<platform::WindowController> windowController_;

private:
    StatusLook look_;
    std::shared_ptr<platform::StatusItem> item_;
    bool useDefaultIcon_ = true;
};

} // namespace ListEditor
