#pragma once

#include "platform/foundation/URL.h"

#include <string>

namespace Folderdock {

// One entry of a folder's menu: an application to launch, or a subfolder
// whose own entries are listed when its submenu opens.
struct AppEntry {
    enum class Kind { application, folder };

    Kind kind = Kind::application;
    std::string title;
    // The application (bundle, desktop entry or AppImage), or the subfolder.
    platform::URL url;
    // An application whose bundle some running application was started from.
    bool running = false;

    bool operator==(const AppEntry&) const = default;
};

} // namespace Folderdock
