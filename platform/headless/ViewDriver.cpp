#include "platform/headless/ViewDriver.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Event.h"
#include "platform/appkit/Window.h"
#include "platform/foundation/DebugLine.h"
#include "platform/headless/HeadlessDriver.h"
#include "platform/headless/WindowListing.h"
#include "platform/runloop/Clock.h"
#include "platform/views/Button.h"
#include "platform/views/ContextMenuModifier.h"
#include "platform/views/HostingController.h"
#include "platform/views/NumberText.h"
#include "platform/views/Slider.h"
#include "platform/views/TextField.h"
#include "platform/views/Toggle.h"
#include "platform/views/ViewDescriber.h"
#include "platform/views/ViewFinder.h"

#include <algorithm>
#include <sstream>

namespace platform {

namespace {

Event userEvent(EventType type, unsigned short keyCode = 0, std::string characters = {}) {
    Event event;
    event.type = type;
    event.timestamp = Clock::current().uptime();
    event.keyCode = keyCode;
    event.characters = std::move(characters);
    return event;
}

// Runs a control's reaction as the platform does: with the click that caused
// it as the application's current event.
template <typename Action>
void click(Action&& action) {
    Application::shared().dispatch(userEvent(EventType::leftMouseUp), std::forward<Action>(action));
}

// The texts a key-by-key typing of `text` leaves in a field whose whole text
// was selected: one per character, UTF-8 sequences kept whole.
// Where each character of UTF-8 text ends: typing it key by key shows the
// text up to each of these in turn.
std::vector<std::size_t> characterEnds(const std::string& text) {
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ends.push_back(i);
        }
    }
    return ends;
}

ViewActionResult failed(std::string message) { return {false, std::move(message)}; }
ViewActionResult succeeded(std::string message) { return {true, std::move(message)}; }

} // namespace

HostingController* ViewDriver::hosting(const Window& window) {
    return dynamic_cast<HostingController*>(window.contentViewController().get());
}

std::vector<std::shared_ptr<Window>> ViewDriver::windowsToSearch(std::optional<int> windowNumber) const {
    std::vector<std::shared_ptr<Window>> windows;
    auto add = [&windows](const std::shared_ptr<Window>& window) {
        if (window && hosting(*window) && std::find(windows.begin(), windows.end(), window) == windows.end()) {
            windows.push_back(window);
        }
    };
    if (windowNumber) {
        add(driver_.window(*windowNumber));
    } else {
        add(Application::shared().keyWindow());
        auto all = Application::shared().windows();
        for (auto it = all.rbegin(); it != all.rend(); ++it) {
            if ((*it)->isVisible()) {
                add(*it);
            }
        }
    }
    for (const auto& window : windows) {
        hosting(*window)->graph().update();
    }
    return windows;
}

std::vector<std::string> ViewDriver::viewLines(std::optional<int> windowNumber) const {
    auto windows = windowsToSearch(windowNumber);
    if (windows.empty()) {
        return {};
    }
    const auto& window = windows.front();
    std::vector<std::string> lines{WindowListing::header(*window)};
    std::istringstream tree(ViewDescriber({.paths = true}).describe(hosting(*window)->rootView().node()));
    for (std::string line; std::getline(tree, line);) {
        lines.push_back("  " + line);
    }
    return lines;
}

namespace {

template <typename Kind>
std::pair<std::shared_ptr<Window>, Kind*> locate(const std::vector<std::shared_ptr<Window>>& windows,
                                                 const std::string& selector) {
    for (const auto& window : windows) {
        auto controller = dynamic_cast<HostingController*>(window->contentViewController().get());
        if (auto* found = ViewFinder(controller->rootView().node()).first<Kind>(selector)) {
            return {window, found};
        }
    }
    return {nullptr, nullptr};
}

} // namespace

ViewActionResult ViewDriver::type(const std::string& fieldName, const std::string& text,
                                  std::optional<int> windowNumber) {
    auto [window, field] = locate<TextField::Node>(windowsToSearch(windowNumber), fieldName);
    if (!field) {
        return failed("no text field " + debugDescription(fieldName));
    }
    if (!field->isEnabled()) {
        return failed("the text field " + debugDescription(fieldName) + " is disabled");
    }
    auto keep = field->shared_from_this();
    if (!window->isKeyWindow() && window->canBecomeKeyWindow()) {
        window->makeKeyWindow();
    }
    auto& application = Application::shared();
    click([field = field] { field->beginEditing(); });
    // One keystroke a character; the field's text grows by it, so that the
    // memory typed text takes stays linear in its length.
    std::string state;
    std::size_t start = 0;
    const auto ends = characterEnds(text);
    for (const std::size_t end : ends.empty() ? std::vector<std::size_t>{0} : ends) {
        const std::string key = text.substr(start, end - start);
        state += key;
        start = end;
        application.dispatch(userEvent(EventType::keyDown, 0, key), [field = field, &state] { field->replaceText(state); });
    }
    bool taken = false;
    application.dispatch(userEvent(EventType::keyDown, KeyCode::tab, "\t"), [&taken, field = field] { taken = field->endEditing(); });
    auto shown = field->text();
    driver_.settle();
    if (!taken) {
        return succeeded(debugDescription(fieldName) + " did not take " + debugDescription(text) + "; it shows " +
                         debugDescription(shown));
    }
    return succeeded(debugDescription(fieldName) + " shows " + debugDescription(shown));
}

ViewActionResult ViewDriver::press(const std::string& control, std::optional<int> windowNumber) {
    auto windows = windowsToSearch(windowNumber);
    if (auto [window, button] = locate<Button::Node>(windows, control); button) {
        if (!button->isEnabled()) {
            return failed("the button " + debugDescription(control) + " is disabled");
        }
        auto keep = button->shared_from_this();
        auto title = button->title();
        click([button = button] { button->press(); });
        driver_.settle();
        return succeeded("pressed " + debugDescription(title));
    }
    if (auto [window, toggle] = locate<Toggle::Node>(windows, control); toggle) {
        if (!toggle->isEnabled()) {
            return failed("the switch " + debugDescription(control) + " is disabled");
        }
        auto keep = toggle->shared_from_this();
        click([toggle = toggle] { toggle->toggle(); });
        bool on = toggle->isOn();
        driver_.settle();
        return succeeded("switched " + debugDescription(toggle->label()) + (on ? " on" : " off"));
    }
    return failed("no button or switch " + debugDescription(control));
}

ViewActionResult ViewDriver::slide(const std::string& sliderName, double value, std::optional<int> windowNumber) {
    auto [window, slider] = locate<Slider::Node>(windowsToSearch(windowNumber), sliderName);
    if (!slider) {
        return failed("no slider " + debugDescription(sliderName));
    }
    if (!slider->isEnabled()) {
        return failed("the slider " + debugDescription(sliderName) + " is disabled");
    }
    auto keep = slider->shared_from_this();
    double stored = 0;
    click([&stored, slider = slider, value] { stored = slider->setValue(value); });
    driver_.settle();
    return succeeded("moved " + debugDescription(sliderName) + " to " + numberText(stored));
}

ViewActionResult ViewDriver::chooseContextItem(const std::string& viewName, const std::string& item,
                                               std::optional<int> windowNumber) {
    auto [window, view] = locate<ViewNode>(windowsToSearch(windowNumber), viewName);
    if (!view) {
        return failed("no view " + debugDescription(viewName));
    }
    auto menu = view->environment<ContextMenuModifier>();
    if (!menu) {
        return failed(debugDescription(viewName) + " has no context menu");
    }
    std::string titles;
    for (const auto& entry : menu->items()) {
        auto* button = dynamic_cast<Button::Node*>(&entry.node());
        if (!button) {
            continue;
        }
        if (button->title() == item) {
            auto keep = button->shared_from_this();
            bool pressed = false;
            click([&] { pressed = button->press(); });
            driver_.settle();
            return pressed ? succeeded("chose " + debugDescription(item))
                           : failed("the item " + debugDescription(item) + " is disabled");
        }
        titles += (titles.empty() ? "" : ", ") + debugDescription(button->title());
    }
    return failed("the context menu has no item " + debugDescription(item) + " (it has " + titles + ")");
}

ViewActionResult ViewDriver::pressEscape() {
    if (!Application::shared().keyWindow()) {
        return failed("no window is key");
    }
    return driver_.pressEscape() ? succeeded("Escape pressed the cancel button")
                                 : failed("nothing in the key window answers Escape");
}

ViewActionResult ViewDriver::pressReturn() {
    if (!Application::shared().keyWindow()) {
        return failed("no window is key");
    }
    return driver_.pressKey(KeyCode::returnKey, "\r") ? succeeded("Return ended editing or pressed the default button")
                                                      : failed("nothing in the key window answers Return");
}

} // namespace platform
