#pragma once

#include "platform/console/ConsoleCommand.h"

#include <string>
#include <vector>

namespace platform {

// The console's commands, in the order they were added (the order of the
// help text). Other parts of the platform add their own (the views add
// typing into fields, pressing buttons, listing view trees).
class CommandRegistry {
public:
    // Replaces a command of the same name.
    void add(ConsoleCommand command);
    const ConsoleCommand* find(const std::string& name) const;
    const std::vector<ConsoleCommand>& commands() const { return commands_; }

    // "  name ARGUMENTS" lines, each followed by its indented summary.
    std::vector<std::string> helpLines() const;
    std::vector<std::string> helpLines(const ConsoleCommand& command) const;

private:
    std::vector<ConsoleCommand> commands_;
};

} // namespace platform
