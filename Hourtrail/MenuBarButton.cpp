#include "Hourtrail/MenuBarButton.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/Workspace.h"
#include "platform/time/CalendarUnit.h"
#include "platform/time/DateComponentsFormatter.h"

#include <algorithm>
#include <vector>

namespace Hourtrail {

using platform::DateComponentsFormatter;
using platform::Menu;
using platform::MenuItem;

namespace {

// Largest first; equal totals keep the dictionary's order, so a listing
// does not shuffle between openings.
template <typename Activity>
std::vector<const Activity*> longestFirst(const std::map<std::string, Activity>& activities) {
    std::vector<const Activity*> sorted;
    sorted.reserve(activities.size());
    for (const auto& [key, activity] : activities) {
        sorted.push_back(&activity);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Activity* a, const Activity* b) { return a->accumulated > b->accumulated; });
    return sorted;
}

std::string line(const std::string& name, double seconds, const DateComponentsFormatter& formatter) {
    return name + " | " + formatter.string(seconds).value_or("");
}

bool isBrowser(const std::string& title) {
    return title == "Google Chrome" || title == "Safari" || platform::Workspace::shared().isWebBrowser(title);
}

} // namespace

std::shared_ptr<MenuBarButton> MenuBarButton::make() {
    std::shared_ptr<MenuBarButton> button(new MenuBarButton());
    button->tracker_ = ActivityTracker::make();
    auto* self = button.get();
    button->addAction("togglePause:", [self](Object* sender) { self->togglePause(sender); });
    button->addAction("resetTimes:", [self](Object* sender) { self->resetTimes(sender); });
    button->addAction("emptyAction:", [self](Object* sender) { self->emptyAction(sender); });
    button->addAction("clickedMenuWithSender:", [self](Object* sender) { self->clickedMenu(sender); });
    button->setupStatusItem();
    return button;
}

void MenuBarButton::setupStatusItem() {
    item = platform::StatusBar::system().statusItem(platform::StatusItem::variableLength);
    if (auto button = item->button()) {
        button->setTitle("");
        button->setAccessibilityHelp("");
        button->setToolTip(toolTip);
        button->setAppearsDisabled(false);
        updateIcon();
        if (auto image = button->image()) {
            const double side = platform::StatusBar::system().thickness();
            image->setSize({side, side});
            image->setTemplate(true);
        }
        button->setImagePosition(platform::ImagePosition::imageLeft);
        button->setTarget(sharedAs<Object>());
        button->setAction("clickedMenuWithSender:");
        button->sendActionOn(platform::EventMask::leftMouseUp | platform::EventMask::rightMouseUp);
    }
    auto menu = Menu::make("Apps");
    menu->setDelegate(sharedAs<MenuDelegate>());
    item->setMenu(menu);
}

void MenuBarButton::updateIcon() {
    if (auto button = item ? item->button() : nullptr) {
        button->setImage(platform::Image::systemSymbol("hourglass", ""));
    }
}

void MenuBarButton::menuNeedsUpdate(Menu& menu) {
    DateComponentsFormatter formatter;
    formatter.unitsStyle = DateComponentsFormatter::UnitsStyle::abbreviated;
    formatter.allowedUnits = platform::CalendarUnit::day | platform::CalendarUnit::hour | platform::CalendarUnit::minute;

    menu.removeAllItems();
    for (const AppActivity* activity : longestFirst(tracker_->store().activities)) {
        if (auto entry = activityMenuItem(*activity, formatter)) {
            menu.addItem(entry);
        }
    }
    menu.addItem(MenuItem::separator());
    auto self = sharedAs<Object>();
    menu.addItem(tracker_->trackerRunning() ? "Pause Tracking" : "Resume Tracking", "togglePause:")->setTarget(self);
    menu.addItem("Reset Times", "resetTimes:")->setTarget(self);
    // No target: it goes up to the application, which terminates.
    menu.addItem("Quit", "terminate:");
}

std::shared_ptr<MenuItem> MenuBarButton::activityMenuItem(const AppActivity& activity,
                                                          const DateComponentsFormatter& formatter) {
    if (!(activity.accumulated > menuFloor)) {
        return nullptr;
    }
    auto entry = MenuItem::make(line(activity.title, activity.accumulated, formatter), "emptyAction:");
    entry->setEnabled(true);
    // Without a target while paused, so the menu's validation disables it.
    if (tracker_->trackerRunning()) {
        entry->setTarget(sharedAs<Object>());
    }
    if (isBrowser(activity.title)) {
        if (auto websites = websiteMenu(formatter)) {
            entry->setSubmenu(websites);
        }
    }
    return entry;
}

std::shared_ptr<Menu> MenuBarButton::websiteMenu(const DateComponentsFormatter& formatter) {
    auto websites = Menu::make();
    for (const WebsiteActivity* website : longestFirst(tracker_->store().webActivities)) {
        if (website->accumulated > menuFloor) {
            websites->addItem(line(website->host, website->accumulated, formatter), "emptyAction:")
                ->setTarget(sharedAs<Object>());
        }
    }
    return websites->numberOfItems() > 0 ? websites : nullptr;
}

void MenuBarButton::togglePause(Object*) {
    tracker_->togglePause();
    updateIcon();
}

void MenuBarButton::resetTimes(Object*) { tracker_->resetTimes(); }

void MenuBarButton::emptyAction(Object*) {}

void MenuBarButton::clickedMenu(Object*) {
    auto& application = platform::Application::shared();
    auto event = application.currentEvent();
    if (event && event->type == platform::EventType::rightMouseUp) {
        application.terminate(this);
        return;
    }
    handleLeftClick(event.value_or(platform::Event{}));
}

void MenuBarButton::handleLeftClick(const platform::Event& event) {
    if (event.has(platform::ModifierFlags::option)) {
        updateIcon();
        return;
    }
    // Every application, without the floor and in the formatter's default
    // form; the menu delegate rebuilds it before it opens.
    DateComponentsFormatter formatter;
    auto menu = Menu::make("Apps");
    for (const AppActivity* activity : longestFirst(tracker_->store().activities)) {
        menu->addItem(line(activity->title, activity->accumulated, formatter), "");
    }
    menu->setDelegate(sharedAs<MenuDelegate>());
    if (item) {
        item->setMenu(menu);
    }
    updateIcon();
}

} // namespace Hourtrail
