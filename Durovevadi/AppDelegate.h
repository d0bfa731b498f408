#pragma once

#include "platform/appkit/ApplicationDelegate.h"
#include "platform/appkit/Object.h"
#include "platform/appkit/StatusItem.h"

#include <memory>
#include <string_view>

namespace Durovevadi {

// The whole program: one status item whose left click asks System Events to
// invert the system's dark-mode setting, and whose icon shows the setting in
// force. A right click quits. Nothing of its own is stored.
class AppDelegate : public platform::Object, public platform::ApplicationDelegate {
public:
    static constexpr std::string_view title = "Toggle Dark Mode";
    static constexpr std::string_view appearanceKey = "AppleInterfaceStyle";
    static constexpr std::string_view lightSymbol = "sun.max.fill";
    static constexpr std::string_view darkSymbol = "moon.stars.fill";
    static constexpr double length = 18;
    static constexpr std::string_view toggleScript = "tell application \"System Events\"\n"
                                                     "    tell appearance preferences\n"
                                                     "        set dark mode to not dark mode\n"
                                                     "    end tell\n"
                                                     "end tell";

    AppDelegate();

    // Absent until launching has finished; then kept for the whole run.
    std::shared_ptr<platform::StatusItem> item;

    // Closes the window group's window and puts the item in the status bar.
    void applicationDidFinishLaunching() override;

    void setupStatusItem();
    // Shows the sun while the system reads light (no value counts as light),
    // the moon for any other value.
    void updateIcon();
    // The button's action, on left- and right-button release. Waits for
    // System Events, then reads the setting back whether the script worked
    // or not.
    void toggleDarkMode(platform::Object* sender);
};

} // namespace Durovevadi
