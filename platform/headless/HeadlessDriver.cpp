#include "platform/headless/HeadlessDriver.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/ViewController.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/appkit/Window.h"
#include "platform/foundation/URL.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/headless/MenuListing.h"
#include "platform/headless/StatusItemSnapshot.h"
#include "platform/headless/TypeList.h"
#include "platform/headless/WindowListing.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/RunLoop.h"

namespace platform {

namespace {

const char* describe(DragOperation operation) {
    switch (operation) {
    case DragOperation::none: return "none";
    case DragOperation::copy: return "copy";
    case DragOperation::link: return "link";
    case DragOperation::generic: return "generic";
    case DragOperation::move: return "move";
    case DragOperation::deleteOperation: return "delete";
    }
    return "other";
}

} // namespace

std::string describe(ChooseResult result) {
    switch (result) {
    case ChooseResult::chosen: return "chosen";
    case ChooseResult::noMenu: return "no menu";
    case ChooseResult::notFound: return "not found";
    case ChooseResult::disabled: return "disabled";
    case ChooseResult::notChoosable: return "not choosable";
    }
    return "unknown";
}

std::shared_ptr<StatusItem> HeadlessDriver::statusItem(int index) const {
    auto items = StatusBar::system().items();
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return nullptr;
    }
    return items[static_cast<std::size_t>(index)];
}

std::vector<std::string> HeadlessDriver::statusLines() const {
    std::vector<std::string> lines;
    int index = 0;
    for (const auto& item : StatusBar::system().items()) {
        lines.push_back("status item " + std::to_string(index++) + ":");
        std::string fields = StatusItemSnapshot::of(*item).describe();
        std::size_t start = 0;
        for (std::size_t end; (end = fields.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back("  " + fields.substr(start, end - start));
        }
    }
    if (lines.empty()) {
        lines.push_back("no status items");
    }
    return lines;
}

Event HeadlessDriver::event(EventType type, std::uint64_t modifierFlags) const {
    Event event;
    event.type = type;
    event.modifierFlags = modifierFlags;
    event.timestamp = Clock::current().uptime();
    return event;
}

bool HeadlessDriver::mouseClick(EventType down, EventType up, std::uint64_t modifierFlags, int item) {
    auto statusItem = this->statusItem(item);
    if (!statusItem) {
        return false;
    }
    if (server_.trackedMenu()) {
        server_.dismissMenu();
        settle();
        return true;
    }
    auto button = statusItem->button();
    if (button) {
        auto& application = Application::shared();
        const Event press = event(down, modifierFlags);
        application.dispatch(press, [&] { button->handleMouseEvent(press); });
        settle();
        // While the menu that the press opened tracks, it takes the release.
        if (!server_.trackedMenu()) {
            const Event release = event(up, modifierFlags);
            application.dispatch(release, [&] { button->handleMouseEvent(release); });
        }
    }
    settle();
    return true;
}

bool HeadlessDriver::click(std::uint64_t modifierFlags, int item) {
    return mouseClick(EventType::leftMouseDown, EventType::leftMouseUp, modifierFlags, item);
}

bool HeadlessDriver::rightClick(std::uint64_t modifierFlags, int item) {
    return mouseClick(EventType::rightMouseDown, EventType::rightMouseUp, modifierFlags, item);
}

DropResult HeadlessDriver::drop(Pasteboard pasteboard, int item) {
    DropResult result;
    auto statusItem = this->statusItem(item);
    auto button = statusItem ? statusItem->button() : nullptr;
    auto window = button ? button->window() : nullptr;
    const auto types = pasteboard.types().value_or(std::vector<PasteboardTypeName>{});
    if (window && window->delegate() && window->acceptsDragTypes(types)) {
        result.reachedDestination = true;
        DraggingInfo info(std::move(pasteboard));
        result.operation = window->dragEntered(info);
        if (result.operation != DragOperation::none) {
            result.accepted = window->dragPerformed(info);
        } else if (auto delegate = window->delegate()) {
            delegate->draggingExited();
        }
    }
    server_.record(HeadlessEvent("drop")
                       .with("item", item)
                       .with("types", typeList(types))
                       .with("operation", describe(result.operation))
                       .with("accepted", result.accepted));
    settle();
    return result;
}

DropResult HeadlessDriver::dropURL(const std::string& text, const std::optional<std::string>& title, int item) {
    return drop(Pasteboard::forLink(text, title), item);
}

DropResult HeadlessDriver::dropFile(const std::string& path, int item) {
    return drop(Pasteboard::forFile(URL::fileURL(path)), item);
}

DropResult HeadlessDriver::dropText(const std::string& text, int item) { return drop(Pasteboard::forText(text), item); }

bool HeadlessDriver::openMenu(int item) {
    auto statusItem = this->statusItem(item);
    if (!statusItem || !statusItem->menu()) {
        return false;
    }
    if (server_.trackedMenu() != statusItem->menu()) {
        click(0, item);
    }
    return server_.trackedMenu() != nullptr;
}

std::shared_ptr<Menu> HeadlessDriver::openedMenu() const { return server_.trackedMenu(); }

std::vector<std::string> HeadlessDriver::menuLines() const {
    auto menu = server_.trackedMenu();
    if (!menu) {
        return {};
    }
    auto lines = MenuListing::lines(*menu);
    if (lines.empty()) {
        lines.push_back("(no entries)");
    }
    lines.insert(lines.begin(), "menu " + quotedText(menu->title()) + ":");
    for (std::size_t index = 1; index < lines.size(); ++index) {
        lines[index] = "  " + lines[index];
    }
    return lines;
}

ChooseResult HeadlessDriver::choose(const std::string& path, int item) {
    if (!server_.trackedMenu() && !openMenu(item)) {
        return ChooseResult::noMenu;
    }
    auto menu = server_.trackedMenu();
    auto entry = MenuListing::find(*menu, path);
    ChooseResult result = ChooseResult::chosen;
    if (!entry) {
        result = ChooseResult::notFound;
    } else if (entry->hasSubmenu() || entry->isSeparatorItem()) {
        result = ChooseResult::notChoosable;
    } else if (auto owner = entry->menu()) {
        owner->update();
        if (!entry->isEnabled()) {
            result = ChooseResult::disabled;
        }
    }
    server_.record(HeadlessEvent("chose").with("path", path).with("result", describe(result)));
    if (result == ChooseResult::chosen) {
        // The menu closes first; the action goes out after tracking ended.
        server_.dismissMenu();
        const Event release = event(EventType::leftMouseUp, 0);
        Application::shared().dispatch(release, [&] { menu->choose(entry); });
    }
    settle();
    return result;
}

void HeadlessDriver::closeMenu() {
    server_.dismissMenu();
    settle();
}

std::vector<std::string> HeadlessDriver::windowLines() const {
    std::vector<std::string> lines;
    for (const auto& window : Application::shared().windows()) {
        auto described = WindowListing::lines(*window);
        lines.insert(lines.end(), described.begin(), described.end());
    }
    if (lines.empty()) {
        lines.push_back("no windows");
    }
    return lines;
}

std::shared_ptr<Window> HeadlessDriver::window(int windowNumber) const {
    for (const auto& window : Application::shared().windows()) {
        if (window->windowNumber() == windowNumber) {
            return window;
        }
    }
    return nullptr;
}

bool HeadlessDriver::pressKey(unsigned short keyCode, const std::string& characters, std::uint64_t modifierFlags) {
    auto key = Application::shared().keyWindow();
    if (!key) {
        return false;
    }
    Event press = event(EventType::keyDown, modifierFlags);
    press.keyCode = keyCode;
    press.characters = characters;
    bool used = false;
    Application::shared().dispatch(press, [&] { used = key->keyDown(press); });
    settle();
    return used;
}

bool HeadlessDriver::pressEscape() { return pressKey(KeyCode::escape, "\x1b"); }

void HeadlessDriver::deactivate() {
    server_.dismissMenu();
    Application::shared().deactivate();
    settle();
}

void HeadlessDriver::activate() {
    Application::shared().activate();
    settle();
}

bool HeadlessDriver::advance(double seconds) {
    if (!Clock::current().isVirtual()) {
        return false;
    }
    RunLoop::main().advance(seconds);
    server_.flush();
    return true;
}

bool HeadlessDriver::sleep(double seconds) {
    if (!Clock::current().isVirtual()) {
        return false;
    }
    RunLoop::main().sleep(seconds);
    server_.flush();
    return true;
}

void HeadlessDriver::settle() {
    RunLoop::main().runUntilIdle();
    server_.flush();
}

std::vector<HeadlessEvent> HeadlessDriver::takeEvents() { return server_.takeEvents(); }

} // namespace platform
