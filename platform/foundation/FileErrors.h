#pragma once

#include <string>
#include <string_view>

namespace platform {

// Sets *error, when asked for, to what failed on which path and the system's
// text for `code` (an errno value): "cannot open /tmp/x: Permission denied".
void reportFileError(std::string* error, std::string_view what, const std::string& path, int code);

} // namespace platform
