#pragma once

#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/Event.h"
#include "platform/appkit/Pasteboard.h"
#include "platform/headless/HeadlessEvent.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class HeadlessWindowServer;
class Menu;
class StatusItem;
class Window;

// How a drop on a status item went.
struct DropResult {
    // The item's button had a window registered for one of the drag's types
    // and a delegate to ask.
    bool reachedDestination = false;
    DragOperation operation = DragOperation::none;
    bool accepted = false;
};

enum class ChooseResult { chosen, noMenu, notFound, disabled, notChoosable };

std::string describe(ChooseResult result);

// Plays the user in front of the headless window server: clicks, drops,
// menus, keys, switching applications, and the passing of time. Each
// action delivers its events as the platform would, then lets the main run
// loop finish what they queued (settle) before it returns.
//
// Status items are named by their index in the bar, 0 being the first made.
class HeadlessDriver {
public:
    explicit HeadlessDriver(HeadlessWindowServer& server) : server_(server) {}

    HeadlessWindowServer& server() { return server_; }

    std::shared_ptr<StatusItem> statusItem(int index = 0) const;
    std::vector<std::string> statusLines() const;

    // A press and release of the left button (or the right one) over the item.
    // A click while the item's menu is open closes the menu. False when there
    // is no such item.
    bool click(std::uint64_t modifierFlags = 0, int item = 0);
    bool rightClick(std::uint64_t modifierFlags = 0, int item = 0);

    DropResult drop(Pasteboard pasteboard, int item = 0);
    // A link dragged from a browser, with the page title when it gives one.
    DropResult dropURL(const std::string& text, const std::optional<std::string>& title = std::nullopt, int item = 0);
    // A file or folder dragged from the file manager.
    DropResult dropFile(const std::string& path, int item = 0);
    DropResult dropText(const std::string& text, int item = 0);

    // Opens the item's menu as a click does; false when it has none.
    bool openMenu(int item = 0);
    std::shared_ptr<Menu> openedMenu() const;
    // The open menu, listed (MenuListing); empty when none is open.
    std::vector<std::string> menuLines() const;
    // Chooses an entry of the open menu, opening the item's menu first if
    // none is open.
    ChooseResult choose(const std::string& path, int item = 0);
    void closeMenu();

    // Every window of the application, with its content indented below it.
    std::vector<std::string> windowLines() const;
    std::shared_ptr<Window> window(int windowNumber) const;

    // A key pressed while the key window has the keyboard; false when no
    // window is key or its content did not use the key.
    bool pressKey(unsigned short keyCode, const std::string& characters, std::uint64_t modifierFlags = 0);
    bool pressEscape();

    // The user switches to another application and back.
    void deactivate();
    void activate();

    // Virtual clock only (false with the real one).
    bool advance(double seconds);
    bool sleep(double seconds);

    // Runs what is ready on the main run loop, then reports status changes.
    void settle();
    std::vector<HeadlessEvent> takeEvents();

private:
    bool mouseClick(EventType down, EventType up, std::uint64_t modifierFlags, int item);
    Event event(EventType type, std::uint64_t modifierFlags) const;

    HeadlessWindowServer& server_;
};

} // namespace platform
