#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class HeadlessDriver;
class HostingController;
class Window;

// How a view action went: what happened, or why nothing did.
struct ViewActionResult {
    bool succeeded = false;
    std::string message;
};

// Plays the user in front of the windows' declarative views: typing into
// fields, pressing buttons and switches, moving sliders, choosing from context
// menus, and the Escape and Return keys. Views are named as ViewFinder names
// them: by title, label, placeholder or text ("Save", "Save#2" for the second),
// or by the index path that `viewLines` shows ("/0/2").
//
// An action looks in the window given by number, or else in the key window
// and then the other visible windows, newest first, and takes the first that
// has such a view. Like the other driver actions, each one delivers its event
// (the current event while the action runs), then lets the main run loop
// finish what the action queued (rebuilds included) before it returns.
class ViewDriver {
public:
    explicit ViewDriver(HeadlessDriver& driver) : driver_(driver) {}

    // The window's header, then its view tree with each view's index path;
    // the key window (or the newest visible one) when no number is given.
    std::vector<std::string> viewLines(std::optional<int> windowNumber = std::nullopt) const;

    // Clicks into the field, replaces its text key by key and tabs out, so a
    // plain field stores each keystroke and a formatted one stores the text
    // if it reads it. The window becomes key if it can.
    ViewActionResult type(const std::string& field, const std::string& text,
                          std::optional<int> windowNumber = std::nullopt);
    // Clicks a button (its action runs) or a switch (it flips).
    ViewActionResult press(const std::string& control, std::optional<int> windowNumber = std::nullopt);
    ViewActionResult slide(const std::string& slider, double value, std::optional<int> windowNumber = std::nullopt);
    // Opens the context menu of the view (or of the nearest view around it
    // that has one) and chooses the item with that title.
    ViewActionResult chooseContextItem(const std::string& view, const std::string& item,
                                       std::optional<int> windowNumber = std::nullopt);

    // The key window's buttons with the cancel or default action shortcut.
    ViewActionResult pressEscape();
    ViewActionResult pressReturn();

private:
    // Windows to search, in order, each with its hosted views brought up to date.
    std::vector<std::shared_ptr<Window>> windowsToSearch(std::optional<int> windowNumber) const;
    static HostingController* hosting(const Window& window);

    HeadlessDriver& driver_;
};

} // namespace platform
