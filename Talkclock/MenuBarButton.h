#pragma once

#include "Talkclock/Alarm.h"

#include "platform/appkit/Event.h"
#include "platform/appkit/Object.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/WindowController.h"

#include <memory>
#include <string_view>

namespace Talkclock {

// The status item with the timer icon and the floating panel it shows: a
// click shows or hides the panel, a right click quits. The panel is built
// once and only ever hidden, so its count and ticks live for the whole run.
class MenuBarButton : public platform::Object {
public:
    static constexpr std::string_view toolTip = "Display a count down";
    static constexpr std::string_view symbolName = "timer.square";
    static constexpr std::string_view panelTitle = "Talk Clock";

    // Puts the item in the status bar and builds the panel, hidden; the
    // panel's count plays `alarm` at its target.
    static std::shared_ptr<MenuBarButton> make(Alarm alarm = Alarm());

    std::shared_ptr<platform::StatusItem> item() const { return item_; }
    std::shared_ptr<platform::WindowController> windowController() const { return windowController_; }
    bool useDefaultIcon() const { return useDefaultIcon_; }

    // The button's action, on left- and right-button release.
    void clickedMenu(platform::Object* sender);
    // An option-click leaves the panel as it is.
    void handleLeftClick(const platform::Event& event);
    // Hides a visible panel (without closing it), else shows it.
    void togglePanel();
    // The timer symbol, a template as high and wide as the status bar.
    void updateIcon();

private:
    MenuBarButton() = default;
    void setupStatusItem();
    void setupPanel(Alarm alarm);

    std::shared_ptr<platform::StatusItem> item_;
    std::shared_ptr<platform::WindowController> windowController_;
    // The item always shows the timer symbol.
    bool useDefaultIcon_ = true;
};

} // namespace Talkclock
