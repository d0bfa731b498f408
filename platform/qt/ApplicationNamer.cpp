#include "platform/qt/ApplicationNamer.h"

namespace platform {

namespace fs = std::filesystem;

ApplicationNamer::ApplicationNamer(fs::path processes, DesktopEntryIndex entries)
    : processes_(std::move(processes)), entries_(std::move(entries)) {}

RunningApplication ApplicationNamer::application(int processIdentifier, const std::string& windowClass) {
    RunningApplication application;
    application.processIdentifier = processIdentifier;
    std::error_code error;
    // Another user's process, or one that just ended, has no readable link.
    const fs::path executable =
        processIdentifier > 0 ? fs::read_symlink(processes_ / std::to_string(processIdentifier) / "exe", error)
                              : fs::path();
    const bool known = processIdentifier > 0 && !error && executable.is_absolute();
    if (known) {
        if (auto entry = entries_.entryFor(executable)) {
            application.localizedName = entry->name;
            application.bundleURL = URL::fileURL(entry->file.string());
            return application;
        }
        application.bundleURL = URL::fileURL(executable.string());
    }
    // A window without a process (Wayland's windows give none), or of a
    // program started through another (an interpreter, a launcher script).
    if (auto entry = entries_.entryForApplicationId(windowClass)) {
        application.localizedName = entry->name;
        application.bundleURL = URL::fileURL(entry->file.string());
        return application;
    }
    if (!windowClass.empty()) {
        application.localizedName = windowClass;
    } else if (known) {
        application.localizedName = executable.filename().string();
    }
    return application;
}

} // namespace platform
