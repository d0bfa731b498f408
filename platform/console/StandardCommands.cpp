#include "platform/console/StandardCommands.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Event.h"
#include "platform/appkit/RunningApplication.h"
#include "platform/appkit/ScriptResult.h"
#include "platform/appkit/Workspace.h"
#include "platform/console/CommandRegistry.h"
#include "platform/console/NumberArgument.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/URL.h"
#include "platform/headless/HeadlessDriver.h"
#include "platform/headless/HeadlessEvent.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/defaults/GlobalAppearance.h"
#include "platform/headless/HeadlessWindowServer.h"

#include <cstdlib>
#include <functional>

namespace platform {

namespace {

using Arguments = std::vector<std::string>;

std::optional<double> seconds(const std::string& text) {
    auto value = NumberArgument::parse(text);
    if (!value || *value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint64_t> modifiers(const Arguments& words, std::string& unknown) {
    std::uint64_t flags = 0;
    for (const auto& word : words) {
        if (word == "option" || word == "alt") {
            flags |= ModifierFlags::option;
        } else if (word == "control" || word == "ctrl") {
            flags |= ModifierFlags::control;
        } else if (word == "shift") {
            flags |= ModifierFlags::shift;
        } else if (word == "command" || word == "cmd") {
            flags |= ModifierFlags::command;
        } else if (word == "capslock") {
            flags |= ModifierFlags::capsLock;
        } else {
            unknown = word;
            return std::nullopt;
        }
    }
    return flags;
}

ConsoleReply done() { return ConsoleReply::ok("ok"); }

ConsoleReply wrongArguments(const char* usage) { return ConsoleReply::failure(std::string("usage: ") + usage); }

ConsoleReply clickCommand(const Arguments& arguments, ConsoleContext& context, bool right) {
    std::string unknown;
    auto flags = modifiers(arguments, unknown);
    if (!flags) {
        return ConsoleReply::failure("unknown modifier \"" + unknown + "\" (option, control, shift, command, capslock)");
    }
    bool clicked = right ? context.driver.rightClick(*flags, context.item) : context.driver.click(*flags, context.item);
    return clicked ? done() : ConsoleReply::failure("there is no status item");
}

// advance and sleep: one SECONDS argument, and only the virtual clock can be
// moved, so without --clock they fail the same way.
ConsoleReply clockCommand(const std::string& name, const Arguments& arguments, const std::function<bool(double)>& move) {
    auto amount = arguments.size() == 1 ? seconds(arguments[0]) : std::nullopt;
    if (!amount) {
        return wrongArguments((name + " SECONDS").c_str());
    }
    // The clock, the calendars and the date formats end with the year 9999.
    constexpr double lastMoment = 253402300799; // 9999-12-31T23:59:59Z
    if (Date::now().timeIntervalSince1970 + *amount > lastMoment) {
        return ConsoleReply::failure(name + " " + arguments[0] + " would pass the end of the year 9999");
    }
    return move(*amount) ? done() : ConsoleReply::failure(name + " needs the virtual clock (--clock)");
}

ConsoleReply dropReply(const DropResult& result) {
    if (!result.reachedDestination) {
        return ConsoleReply::ok("drop", {"drop refused: the item takes no drag of these types"});
    }
    return ConsoleReply::ok("drop", {result.accepted ? "drop accepted" : "drop refused"});
}

std::optional<RunningApplication> application(const Arguments& arguments) {
    RunningApplication app;
    app.localizedName = arguments[0];
    if (arguments.size() > 1) {
        auto url = URL::fromString(arguments[1]);
        if (!url) {
            return std::nullopt;
        }
        app.bundleURL = *url;
    }
    return app;
}

std::vector<std::string> runningLines() {
    std::vector<std::string> lines;
    for (const auto& app : Workspace::shared().runningApplications()) {
        std::string line = app.localizedName ? quotedText(*app.localizedName) : std::string("(no name)");
        if (app.bundleURL) {
            line += " " + app.bundleURL->absoluteString();
        }
        lines.push_back(line);
    }
    return lines;
}

void addInputCommands(CommandRegistry& registry) {
    registry.add({"click", "[MODIFIER...]",
                  "Left click on the status item, holding the modifier keys named\n"
                  "(option, control, shift, command, capslock).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      return clickCommand(arguments, context, false);
                  }});
    registry.add({"right-click", "[MODIFIER...]", "Right click on the status item, holding the modifier keys named.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      return clickCommand(arguments, context, true);
                  }});
    registry.add({"drop-url", "URL [TITLE]",
                  "Drop a link from a browser on the status item (public.url, and\n"
                  "public.url-name when a title is given).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.empty() || arguments.size() > 2) {
                          return wrongArguments("drop-url URL [TITLE]");
                      }
                      std::optional<std::string> title;
                      if (arguments.size() == 2) {
                          title = arguments[1];
                      }
                      return dropReply(context.driver.dropURL(arguments[0], title, context.item));
                  }});
    registry.add({"drop-file", "PATH",
                  "Drop a file or folder from the file manager on the status item\n"
                  "(public.file-url and public.url).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.size() != 1 || arguments[0].empty()) {
                          return wrongArguments("drop-file PATH");
                      }
                      return dropReply(context.driver.dropFile(arguments[0], context.item));
                  }});
    registry.add({"drop-text", "TEXT", "Drop plain text on the status item (public.utf8-plain-text only).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.size() != 1) {
                          return wrongArguments("drop-text TEXT");
                      }
                      return dropReply(context.driver.dropText(arguments[0], context.item));
                  }});
}

void addMenuCommands(CommandRegistry& registry) {
    registry.add({"menu", "",
                  "Open the status item's menu (if it is not open) and list it: one\n"
                  "entry a line, submenus indented, \"[disabled]\" for entries that\n"
                  "cannot be chosen, \"-----\" for separators. The menu stays open\n"
                  "(its timers wait) until an entry is chosen, close-menu or a click.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (!arguments.empty()) {
                          return wrongArguments("menu");
                      }
                      if (!context.driver.openedMenu() && !context.driver.openMenu(context.item)) {
                          return ConsoleReply::failure("the status item has no menu");
                      }
                      return ConsoleReply::ok("menu", context.driver.menuLines());
                  }});
    registry.add({"choose", "PATH",
                  "Choose a menu entry by its titles joined by \"/\", for example\n"
                  "\"Safari | 1h 1m/apple.com | 2m\"; opens the menu first if needed.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.size() != 1) {
                          return wrongArguments("choose PATH");
                      }
                      ChooseResult result = context.driver.choose(arguments[0], context.item);
                      if (result != ChooseResult::chosen) {
                          return ConsoleReply::failure("cannot choose \"" + arguments[0] + "\": " + describe(result));
                      }
                      return done();
                  }});
    registry.add({"close-menu", "", "Dismiss the open menu without choosing.",
                  [](const Arguments&, ConsoleContext& context) {
                      context.driver.closeMenu();
                      return done();
                  }});
}

void addListingCommands(CommandRegistry& registry) {
    registry.add({"item", "[INDEX]",
                  "Show or choose the status item that clicks, drops and menus go to\n"
                  "(0, the first one made, from the start).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.empty()) {
                          return ConsoleReply::ok("item", {std::to_string(context.item)});
                      }
                      char* end = nullptr;
                      long index = std::strtol(arguments[0].c_str(), &end, 10);
                      if (arguments.size() != 1 || arguments[0].empty() || *end != '\0' || index < 0 ||
                          !context.driver.statusItem(static_cast<int>(index))) {
                          return ConsoleReply::failure("no status item " + arguments[0]);
                      }
                      context.item = static_cast<int>(index);
                      return done();
                  }});
    registry.add({"status", "", "List the status items with their button, image, tooltip and action.",
                  [](const Arguments&, ConsoleContext& context) {
                      return ConsoleReply::ok("status", context.driver.statusLines());
                  }});
    registry.add({"windows", "", "List the application's windows, each with its content below it.",
                  [](const Arguments&, ConsoleContext& context) {
                      return ConsoleReply::ok("windows", context.driver.windowLines());
                  }});
}

void addApplicationCommands(CommandRegistry& registry) {
    registry.add({"deactivate", "", "Switch to another application: this one resigns active.",
                  [](const Arguments&, ConsoleContext& context) {
                      context.driver.deactivate();
                      return done();
                  }});
    registry.add({"activate", "", "Switch back to this application.", [](const Arguments&, ConsoleContext& context) {
                      context.driver.activate();
                      return done();
                  }});
    registry.add({"frontmost", "NAME [BUNDLE-URL] | none",
                  "Set the frontmost application the workspace reports (\"none\": there is none).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.empty() || arguments.size() > 2) {
                          return wrongArguments("frontmost NAME [BUNDLE-URL] | none");
                      }
                      if (arguments.size() == 1 && arguments[0] == "none") {
                          context.driver.server().setFrontmostApplication(std::nullopt);
                          return done();
                      }
                      auto app = application(arguments);
                      if (!app) {
                          return ConsoleReply::failure("not a URL: " + arguments[1]);
                      }
                      context.driver.server().setFrontmostApplication(app);
                      return done();
                  }});
    registry.add({"running", "[add NAME [BUNDLE-URL] | remove NAME | clear]",
                  "List the running applications, or change the list (this program\n"
                  "is always in it, last).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      auto& server = context.driver.server();
                      auto others = server.otherApplications();
                      if (arguments.empty()) {
                          return ConsoleReply::ok("running", runningLines());
                      }
                      if (arguments[0] == "clear" && arguments.size() == 1) {
                          server.setRunningApplications({});
                          return done();
                      }
                      if (arguments[0] == "add" && (arguments.size() == 2 || arguments.size() == 3)) {
                          auto app = application(Arguments(arguments.begin() + 1, arguments.end()));
                          if (!app) {
                              return ConsoleReply::failure("not a URL: " + arguments[2]);
                          }
                          others.push_back(*app);
                          server.setRunningApplications(others);
                          return done();
                      }
                      if (arguments[0] == "remove" && arguments.size() == 2) {
                          std::erase_if(others, [&](const RunningApplication& app) {
                              return app.localizedName == arguments[1];
                          });
                          server.setRunningApplications(others);
                          return done();
                      }
                      return wrongArguments("running [add NAME [BUNDLE-URL] | remove NAME | clear]");
                  }});
    registry.add({"script-answer", "APPLICATION TEXT",
                  "From now on, scripts sent to the application return TEXT.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.size() != 2) {
                          return wrongArguments("script-answer APPLICATION TEXT");
                      }
                      context.driver.server().setScriptAnswer(arguments[0], ScriptResult::value(arguments[1]));
                      return done();
                  }});
    registry.add({"script-error", "APPLICATION NUMBER MESSAGE",
                  "From now on, scripts sent to the application fail with that error.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      char* end = nullptr;
                      long number = arguments.size() == 3 ? std::strtol(arguments[1].c_str(), &end, 10) : 0;
                      if (arguments.size() != 3 || arguments[1].empty() || *end != '\0') {
                          return wrongArguments("script-error APPLICATION NUMBER MESSAGE");
                      }
                      context.driver.server().setScriptAnswer(
                          arguments[0], ScriptResult::failure(arguments[2], static_cast<int>(number), arguments[0]));
                      return done();
                  }});
    registry.add({"script-forget", "APPLICATION", "Scripts sent to the application get its default answer again.",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      if (arguments.size() != 1) {
                          return wrongArguments("script-forget APPLICATION");
                      }
                      context.driver.server().removeScriptAnswer(arguments[0]);
                      return done();
                  }});
    registry.add({"appearance", "[dark | light]",
                  "Show or set the system appearance (AppleInterfaceStyle in the\n"
                  "global defaults domain), as the user does in the system settings.",
                  [](const Arguments& arguments, ConsoleContext&) {
                      if (arguments.empty()) {
                          return ConsoleReply::ok("appearance", {GlobalAppearance::isDark() ? "dark" : "light"});
                      }
                      if (arguments.size() != 1 || (arguments[0] != "dark" && arguments[0] != "light")) {
                          return wrongArguments("appearance [dark | light]");
                      }
                      if (!GlobalAppearance::setDark(arguments[0] == "dark")) {
                          return ConsoleReply::failure("the global defaults domain could not be written");
                      }
                      return done();
                  }});
}

void addTimeCommands(CommandRegistry& registry) {
    registry.add({"advance", "SECONDS",
                  "Move the virtual clock forward, running timers and deadlines as\n"
                  "they fall due (needs --clock).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      return clockCommand("advance", arguments, [&](double amount) {
                          return context.driver.advance(amount);
                      });
                  }});
    registry.add({"sleep", "SECONDS",
                  "The computer sleeps: the wall clock moves on, the uptime does not;\n"
                  "on waking, what fell due by the wall clock runs (needs --clock).",
                  [](const Arguments& arguments, ConsoleContext& context) {
                      return clockCommand("sleep", arguments, [&](double amount) { return context.driver.sleep(amount); });
                  }});
    registry.add({"quit", "", "Quit the program from outside (it terminates as on logout).",
                  [](const Arguments&, ConsoleContext&) {
                      Application::shared().terminate(nullptr);
                      return done();
                  }});
}

} // namespace

void registerStandardCommands(CommandRegistry& registry) {
    addListingCommands(registry);
    addInputCommands(registry);
    addMenuCommands(registry);
    addApplicationCommands(registry);
    addTimeCommands(registry);
}

} // namespace platform
