#pragma once

#include <string>
#include <string_view>

namespace platform {

// Lower-cases the ASCII letters only, whatever the process's locale: URL
// schemes and the words a command line accepts compare this way, and bytes of
// UTF-8 text must come through untouched.
std::string asciiLowercased(std::string_view text);

} // namespace platform
