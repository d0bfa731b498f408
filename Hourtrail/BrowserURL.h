#pragma once

#include <optional>
#include <string>

namespace Hourtrail {

// Asks the named browser ("Google Chrome" or "Safari") for the page in front
// and gives that page's host without a leading "www."; nothing for another
// name or when the answer holds no host. Waits for the browser's answer. A
// failed query writes its error details as a debug line.
std::optional<std::string> getBrowserURL(const std::string& browserName);

} // namespace Hourtrail
