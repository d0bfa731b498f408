#pragma once

#include <string>
#include <vector>

namespace platform {

// Pasteboard types as the listings show them: in order, separated by commas.
std::string typeList(const std::vector<std::string>& types);

} // namespace platform
