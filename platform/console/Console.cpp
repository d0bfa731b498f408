#include "platform/console/Console.h"

#include "platform/appkit/Application.h"
#include "platform/console/CommandLine.h"
#include "platform/console/ConsoleOutput.h"
#include "platform/console/StandardCommands.h"
#include "platform/console/ViewCommands.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/SaveFailures.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/TerminationSignals.h"

#include <cerrno>
#include <cmath>
#include <poll.h>
#include <unistd.h>

namespace platform {

namespace {

void addHelpCommand(CommandRegistry& registry) {
    registry.add({"help", "[COMMAND]", "List the commands, or describe one.",
                  [](const std::vector<std::string>& arguments, ConsoleContext&) {
                      CommandRegistry all = Console::allCommands();
                      if (arguments.empty()) {
                          return ConsoleReply::ok("help", all.helpLines());
                      }
                      const ConsoleCommand* command = all.find(arguments[0]);
                      if (command == nullptr || arguments.size() > 1) {
                          return ConsoleReply::failure("no such command: " + arguments[0]);
                      }
                      return ConsoleReply::ok("help", all.helpLines(*command));
                  }});
}

} // namespace

CommandRegistry Console::allCommands() {
    CommandRegistry registry;
    addHelpCommand(registry);
    registerStandardCommands(registry);
    registerViewCommands(registry);
    return registry;
}

std::vector<std::string> Console::helpText(const std::string& programName) {
    std::vector<std::string> lines{
        "usage: " + programName + " [--headless] [--json] [--clock DATE-TIME] [--help]",
        "",
        "Without a display (or with --headless) the program runs on the headless",
        "window server and reads console commands from standard input, one a line.",
        "Replies and events (status item changes, opened URLs, sounds, launched",
        "applications, windows shown and closed) go to standard error; standard",
        "output stays the program's own.",
        "",
        "options:",
        "  --headless         run headless even when a display is there",
        "  --json             write each reply and event as one JSON object a line",
        "  --clock DATE-TIME  run on a virtual clock starting at that ISO 8601",
        "                     moment (2024-05-01T09:30:00Z); time then moves only",
        "                     by the advance and sleep commands",
        "  --help             show this text",
        "",
        "Words are separated by spaces; \"double\" or 'single' quotes keep spaces.",
        "",
        "commands:",
    };
    auto commands = allCommands().helpLines();
    lines.insert(lines.end(), commands.begin(), commands.end());
    return lines;
}

Console::Console(HeadlessSession& session, ConsoleOutput& output)
    : session_(session), output_(output), commands_(allCommands()) {}

bool Console::isFinished() const { return session_.isTerminated(); }

void Console::execute(const std::string& line) {
    std::string error;
    auto words = splitCommandLine(line, &error);
    if (!words) {
        output_.reply(line, ConsoleReply::failure(error));
        return;
    }
    if (words->empty()) {
        return;
    }
    const std::string name = words->front();
    const ConsoleCommand* command = commands_.find(name);
    if (command == nullptr) {
        output_.reply(name, ConsoleReply::failure("unknown command \"" + name + "\" (try help)"));
        return;
    }
    ConsoleContext context{session_, session_.driver(), item_};
    std::vector<std::string> arguments(words->begin() + 1, words->end());
    ConsoleReply reply = command->run(arguments, context);
    session_.driver().settle();
    // A reply acknowledges the command: what it changed is on disk by then, so
    // a script (or a kill right after the reply) never loses what was answered;
    // when it could not be written, the reply says so and why.
    auto& defaults = UserDefaults::standard();
    if (!defaults.synchronize() && !reply.error) {
        reply.lines.push_back("not saved yet: " + SaveFailures::message(defaults.path()).value_or("the write failed"));
    }
    output_.reply(name, reply);
}

void Console::endOfInput() {
    if (!isFinished()) {
        execute("quit");
    }
}

void Console::run(std::istream& input) {
    std::string line;
    while (!isFinished() && std::getline(input, line)) {
        execute(line);
    }
    endOfInput();
}

void Console::takeInput(const char* bytes, std::size_t count) {
    pending_.append(bytes, count);
    std::size_t newline;
    while (!isFinished() && (newline = pending_.find('\n')) != std::string::npos) {
        std::string line = pending_.substr(0, newline);
        pending_.erase(0, newline + 1);
        execute(line);
    }
}

void Console::runWithRealClock(int inputDescriptor) {
    auto& loop = RunLoop::main();
    loop.run([&](double maxWait) {
        session_.server().flush();
        // Waits for a line, the next due item or a wake-up of the loop, and for
        // nothing else: an idle program does not wake at all. A day is far
        // beyond any real wait and within poll's milliseconds; without a wake
        // descriptor, blocks from other threads are looked for every 50 ms.
        // An ignored entry (fd -1) is skipped by poll.
        pollfd watched[3] = {{inputDescriptor, POLLIN, 0},
                             {loop.wakeDescriptor(), POLLIN, 0},
                             {TerminationSignals::descriptor(), POLLIN, 0}};
        const double longest = watched[1].fd >= 0 ? 24.0 * 3600 : 0.05;
        const double bounded = std::min(std::max(0.0, maxWait), longest);
        const int timeout = static_cast<int>(std::ceil(bounded * 1000));
        const int ready = ::poll(watched, 3, timeout);
        if (ready > 0 && watched[2].revents != 0 && TerminationSignals::take()) {
            // Ended from outside: terminate as on logout, writing what is pending.
            Application::shared().terminate(nullptr);
        }
        if (ready > 0 && watched[0].revents != 0) {
            char buffer[4096];
            const ssize_t count = ::read(inputDescriptor, buffer, sizeof buffer);
            if (count > 0) {
                takeInput(buffer, static_cast<std::size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                if (!pending_.empty()) {
                    takeInput("\n", 1);
                }
                endOfInput();
            }
        }
        if (isFinished()) {
            loop.stop();
        }
    });
}

} // namespace platform
