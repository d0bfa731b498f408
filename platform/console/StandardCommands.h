#pragma once

namespace platform {

class CommandRegistry;

// The commands for every driver action of the headless window server:
// status, clicks, drops, menus, windows, switching applications, the other
// applications and their scripts, the appearance, time, quit.
void registerStandardCommands(CommandRegistry& registry);

} // namespace platform
