#pragma once

#include "Hourtrail/ActivityTracker.h"

#include "platform/appkit/Event.h"
#include "platform/appkit/MenuDelegate.h"
#include "platform/appkit/Object.h"
#include "platform/appkit/WindowDelegate.h"

#include <memory>

namespace platform {
class DateComponentsFormatter;
class MenuItem;
class StatusItem;
} // namespace platform

namespace Hourtrail {

// The status item with the hourglass and its report menu, rebuilt each time
// it opens from the tracker's totals of that moment.
class MenuBarButton : public platform::Object, public platform::WindowDelegate, public platform::MenuDelegate {
public:
    static constexpr const char* toolTip =
        "Track active app time. \nClick to view info. \nOption click to reset. \nRight click to quit.";
    static constexpr double menuFloor = 60.0;

    // Loads the totals, starts tracking, then sets up the status item.
    static std::shared_ptr<MenuBarButton> make();

    std::shared_ptr<platform::StatusItem> item;
    // The item always shows the hourglass.
    const bool useDefaultIcon = true;

    ActivityTracker& tracker() { return *tracker_; }

    void menuNeedsUpdate(platform::Menu& menu) override;

    // Menu actions.
    void togglePause(platform::Object* sender);
    void resetTimes(platform::Object* sender);
    void emptyAction(platform::Object* sender);

    // The button's action, which the platform holds back while the item has
    // its menu: a right-button release quits, anything else is a left click.
    void clickedMenu(platform::Object* sender);
    void handleLeftClick(const platform::Event& event);

private:
    MenuBarButton() = default;
    void setupStatusItem();
    void updateIcon();
    std::shared_ptr<platform::MenuItem> activityMenuItem(const AppActivity& activity,
                                                         const platform::DateComponentsFormatter& formatter);
    std::shared_ptr<platform::Menu> websiteMenu(const platform::DateComponentsFormatter& formatter);

    std::shared_ptr<ActivityTracker> tracker_;
};

} // namespace Hourtrail
