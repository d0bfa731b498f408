#pragma once

#include "platform/appkit/RunningApplication.h"
#include "platform/qt/DesktopEntryIndex.h"

#include <filesystem>
#include <string>

namespace platform {

// Names the process behind a window as a person knows it: as the installed
// desktop entry of its executable names it, else as the entry its window
// class (or Wayland app id) names, else by that class, else by the file name
// of its executable.
class ApplicationNamer {
public:
    // `processes` is where each process's `exe` link is found (/proc).
    ApplicationNamer(std::filesystem::path processes, DesktopEntryIndex entries);

    // `processIdentifier` is 0 where the window gives none; `windowClass` is
    // the class part of the window's WM_CLASS, its app id, or "".
    RunningApplication application(int processIdentifier, const std::string& windowClass);

private:
    std::filesystem::path processes_;
    DesktopEntryIndex entries_;
};

} // namespace platform
