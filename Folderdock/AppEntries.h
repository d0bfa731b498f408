#pragma once

#include "Folderdock/AppEntry.h"

#include "platform/appkit/RunningApplication.h"
#include "platform/foundation/URL.h"

#include <optional>
#include <string_view>
#include <vector>

namespace Folderdock {

// The items of one folder, shallow and in the order the file system lists
// them, hidden ones included, as menu entries: subfolders, application
// bundles (extension "app", in that case only, never entered), and the
// applications of Linux desktops, desktop entries that are not hidden from
// menus (".desktop") and executable AppImages (".AppImage"). A symbolic
// link to a folder is a subfolder too, unless the folder is one the link was
// reached through (a loop). Everything else is left out. A folder that cannot
// be listed has no entries.
std::vector<AppEntry> appEntries(const platform::URL& folder,
                                 const std::vector<platform::RunningApplication>& runningApplications);

// The entry a listed item makes, not yet checked against the running
// applications; nothing when it makes none. Desktop entries are titled by
// their Name in `locale` (a POSIX locale name).
std::optional<AppEntry> entryFor(const platform::URL& item, std::string_view locale);

// Whether some running application was started from exactly this URL.
bool isRunning(const platform::URL& application,
               const std::vector<platform::RunningApplication>& runningApplications);

} // namespace Folderdock
