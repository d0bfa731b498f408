#include "platform/console/ViewCommands.h"

#include "platform/appkit/Window.h"
#include "platform/console/CommandRegistry.h"
#include "platform/console/NumberArgument.h"
#include "platform/headless/HeadlessDriver.h"
#include "platform/headless/ViewDriver.h"

#include <cmath>
#include <memory>
#include <optional>
#include <variant>

namespace platform {

namespace {

using Arguments = std::vector<std::string>;

ConsoleReply reply(const ViewActionResult& result) {
    if (!result.succeeded) {
        return ConsoleReply::failure(result.message);
    }
    return ConsoleReply::ok("view", {result.message});
}

ConsoleReply usage(const char* text) { return ConsoleReply::failure(std::string("usage: ") + text); }

std::optional<int> windowNumber(const std::string& text) {
    auto value = NumberArgument::parse(text);
    if (!value || *value != std::floor(*value) || *value < 0 || *value > 1e9) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

// The words after the first, as one text: `type Title Warm socks` types "Warm socks".
// The visible window a command's one WINDOW argument names, or the reply
// that says why there is none.
std::variant<std::shared_ptr<Window>, ConsoleReply> visibleWindow(const Arguments& arguments, ConsoleContext& context,
                                                                  const char* usageText) {
    auto number = arguments.size() == 1 ? windowNumber(arguments[0]) : std::nullopt;
    if (!number) {
        return usage(usageText);
    }
    auto window = context.driver.window(*number);
    if (!window || !window->isVisible()) {
        return ConsoleReply::failure("no visible window " + arguments[0]);
    }
    return window;
}

std::string rest(const Arguments& arguments, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i < arguments.size(); ++i) {
        text += (i > from ? " " : "") + arguments[i];
    }
    return text;
}

} // namespace

void registerViewCommands(CommandRegistry& registry) {
    registry.add({"views", "[WINDOW]",
                  "List a window's views (the key window's by default), each with the index path that names it.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      std::optional<int> window;
                      if (arguments.size() > 1) {
                          return usage("views [WINDOW]");
                      }
                      if (arguments.size() == 1) {
                          window = windowNumber(arguments[0]);
                          if (!window) {
                              return ConsoleReply::failure("not a window number: " + arguments[0]);
                          }
                      }
                      auto lines = ViewDriver(context.driver).viewLines(window);
                      if (lines.empty()) {
                          return ConsoleReply::failure(window ? "window " + arguments[0] + " shows no views"
                                                              : "no window shows views");
                      }
                      return ConsoleReply::ok("views", lines);
                  }});
    registry.add({"type", "FIELD TEXT...",
                  "Type TEXT into a text field (by placeholder, text or index path; NAME#2 for the second), then tab out.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.empty()) {
                          return usage("type FIELD TEXT...");
                      }
                      return reply(ViewDriver(context.driver).type(arguments[0], rest(arguments, 1)));
                  }});
    registry.add({"press", "CONTROL", "Press the button (or flip the switch) named by its title or index path.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.empty()) {
                          return usage("press CONTROL");
                      }
                      return reply(ViewDriver(context.driver).press(rest(arguments, 0)));
                  }});
    registry.add({"slide", "SLIDER VALUE",
                  "Move the slider named by a label or an index path (* for the first) to VALUE.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.size() != 2) {
                          return usage("slide SLIDER VALUE");
                      }
                      auto value = NumberArgument::parse(arguments[1]);
                      if (!value) {
                          return ConsoleReply::failure("not a number: " + arguments[1]);
                      }
                      return reply(ViewDriver(context.driver).slide(arguments[0], *value));
                  }});
    registry.add({"context", "VIEW ITEM",
                  "Open the context menu of the view named by a text or an index path and choose ITEM.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.size() < 2) {
                          return usage("context VIEW ITEM");
                      }
                      return reply(ViewDriver(context.driver).chooseContextItem(arguments[0], rest(arguments, 1)));
                  }});
    registry.add({"focus", "WINDOW",
                  "Click into a window: the application becomes active and the window key\n"
                  "(a floating window that gave up the keyboard takes it back).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      auto found = visibleWindow(arguments, context, "focus WINDOW");
                      if (auto* failed = std::get_if<ConsoleReply>(&found)) {
                          return *failed;
                      }
                      const auto& window = std::get<std::shared_ptr<Window>>(found);
                      if (!window->canBecomeKeyWindow()) {
                          return ConsoleReply::failure("window " + arguments[0] + " cannot become key");
                      }
                      context.driver.activate();
                      window->makeKeyWindow();
                      context.driver.settle();
                      return ConsoleReply::ok("view", {"window " + arguments[0] + " is key"});
                  }});
    registry.add({"close", "WINDOW", "Click a window's close button (its delegate may keep it open).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      auto found = visibleWindow(arguments, context, "close WINDOW");
                      if (auto* failed = std::get_if<ConsoleReply>(&found)) {
                          return *failed;
                      }
                      const auto& window = std::get<std::shared_ptr<Window>>(found);
                      if ((window->styleMask() & WindowStyleMask::closable) == 0) {
                          return ConsoleReply::failure("window " + arguments[0] + " has no close button");
                      }
                      window->performClose();
                      context.driver.settle();
                      return ConsoleReply::ok("view", {window->isClosed() ? "window " + arguments[0] + " closed"
                                                                          : "window " + arguments[0] + " stayed open"});
                  }});
    registry.add({"escape", "", "Press Escape in the key window (its cancel button).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (!arguments.empty()) {
                          return usage("escape");
                      }
                      return reply(ViewDriver(context.driver).pressEscape());
                  }});
    registry.add({"return", "", "Press Return in the key window (ends editing, presses its default button).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (!arguments.empty()) {
                          return usage("return");
                      }
                      return reply(ViewDriver(context.driver).pressReturn());
                  }});
}

} // namespace platform
