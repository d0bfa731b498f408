#pragma once

#include <optional>
#include <string>

namespace platform {

// Starts the applications a Linux desktop keeps as files: a desktop entry
// (through `gio launch`, which reads its Exec line, field codes, terminal
// and working folder as the desktop does) and an executable AppImage
// (started in its own folder, detached from this program). The desktop's URL
// opener would show such files rather than start them. Other executables
// are not started: a link to a script opens it as a document, as file
// managers do.
class ApplicationLauncher {
public:
    // Whether the application started; nothing for a file that is not one
    // (or an AppImage without the right to run).
    static std::optional<bool> launch(const std::string& path);
};

} // namespace platform
