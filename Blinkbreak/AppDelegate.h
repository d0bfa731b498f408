#pragma once

#include "platform/appkit/ApplicationDelegate.h"
#include "platform/appkit/Object.h"
#include "platform/appkit/StatusItem.h"
#include "platform/combine/AnyCancellable.h"

#include <memory>
#include <string_view>

namespace Blinkbreak {

// Owns the status item and the reminder timer. While reminders are on, a
// reminder window opens every twenty minutes; a left click on the item
// switches them off and on, a right click quits. Windows at the status bar's
// level (the item's own) are never touched.
class AppDelegate : public platform::Object, public platform::ApplicationDelegate {
public:
    static constexpr double reminderInterval = 1200;
    static constexpr double itemLength = 18;
    static constexpr std::string_view title = "Stretch Eyes";
    static constexpr std::string_view reminderURL = "Blinkbreak://Blinkbreak";

    AppDelegate();

    // Absent until launching has finished.
    std::shared_ptr<platform::StatusItem> item;
    // Not kept across runs: every start begins with reminders on.
    bool running = true;
    // The reminder timer's subscription, when reminders are on.
    platform::CancelBag subscriptions;

    // Closes the launch window, builds the item and starts the reminders.
    void applicationDidFinishLaunching() override;
    void applicationWillBecomeActive() override;

    void setupStatusItem();
    void updateIcon();
    // A fresh twenty-minute period from now, replacing any running timer.
    void startReminders();
    // The item's action, on left- and right-button release.
    void toggleStretchEyes(platform::Object* sender);
    // Replaces any open reminder window with a new one, raised through the
    // program's own URL scheme.
    void showReminder();

    // The reminder window's own operations; they act on every window of the
    // application except those at the status bar's level.
    static void closeReminderWindows();
    // Above ordinary windows on every space, without the keyboard focus, so
    // typing goes on in the application the user was in.
    static void floatReminderWindows();
};

} // namespace Blinkbreak
