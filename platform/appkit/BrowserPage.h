#pragma once

#include <optional>
#include <string>

namespace platform {

// The page a web browser shows in front, as far as the desktop can tell
// without the browser's help: the browser is known, the page may not be yet
// (the browser has not written it down since it changed).
struct BrowserPage {
    std::optional<std::string> address;
};

} // namespace platform
