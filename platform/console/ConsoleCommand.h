#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class HeadlessDriver;
class HeadlessSession;

// What a console command answers: a listing (its kind names it in JSON
// output) or an error message.
struct ConsoleReply {
    std::string kind;
    std::vector<std::string> lines;
    std::optional<std::string> error;

    static ConsoleReply ok(std::string kind, std::vector<std::string> lines = {}) {
        return ConsoleReply{std::move(kind), std::move(lines), std::nullopt};
    }
    static ConsoleReply failure(std::string message) { return ConsoleReply{"error", {}, std::move(message)}; }
};

// What a command works on.
struct ConsoleContext {
    HeadlessSession& session;
    HeadlessDriver& driver;
    // The status item that clicks, drops and menus go to.
    int& item;
};

// One command of the console: `name ARGUMENTS`, documented by `summary`.
struct ConsoleCommand {
    std::string name;
    std::string arguments;
    std::string summary;
    std::function<ConsoleReply(const std::vector<std::string>& arguments, ConsoleContext& context)> run;
};

} // namespace platform
