#include "platform/console/CommandRegistry.h"

#include <sstream>

namespace platform {

void CommandRegistry::add(ConsoleCommand command) {
    for (auto& existing : commands_) {
        if (existing.name == command.name) {
            existing = std::move(command);
            return;
        }
    }
    commands_.push_back(std::move(command));
}

const ConsoleCommand* CommandRegistry::find(const std::string& name) const {
    for (const auto& command : commands_) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

std::vector<std::string> CommandRegistry::helpLines(const ConsoleCommand& command) const {
    std::vector<std::string> lines{"  " + command.name + (command.arguments.empty() ? "" : " " + command.arguments)};
    std::istringstream summary(command.summary);
    for (std::string line; std::getline(summary, line);) {
        lines.push_back("      " + line);
    }
    return lines;
}

std::vector<std::string> CommandRegistry::helpLines() const {
    std::vector<std::string> lines;
    for (const auto& command : commands_) {
        auto one = helpLines(command);
        lines.insert(lines.end(), one.begin(), one.end());
    }
    return lines;
}

} // namespace platform
