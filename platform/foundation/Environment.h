#pragma once

#include <string>

namespace platform {

// A variable of the process's environment, read at each call; "" when unset.
std::string environmentValue(const char* name);

// ${XDG_CONFIG_HOME:-~/.config} by the XDG rules (an empty or relative
// value is ignored), without a trailing '/'.
std::string configHomeFolder();

} // namespace platform
