#pragma once

#include "platform/appkit/RunningApplication.h"
#include "platform/qt/DesktopEntryIndex.h"

#include <filesystem>
#include <string>

namespace platform {

// Names the process behind a window as a person knows it: as its installed
// desktop entry names it, else by the window's class, else by the file name
// of its executable.
class ApplicationNamer {
public:
    // `processes` is where each process's `exe` link is found (/proc).
    ApplicationNamer(std::filesystem::path processes, DesktopEntryIndex entries);

    // `windowClass` is the class part of the window's WM_CLASS, or "".
    RunningApplication application(int processIdentifier, const std::string& windowClass);

private:
    std::filesystem::path processes_;
    DesktopEntryIndex entries_;
};

} // namespace platform
