#pragma once

namespace platform {

class CommandRegistry;

// The commands for the windows' declarative views: views, type, press,
// slide, context, escape, return.
void registerViewCommands(CommandRegistry& registry);

} // namespace platform
