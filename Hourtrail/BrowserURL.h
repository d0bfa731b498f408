#pragma once

#include <optional>
#include <string>

namespace Hourtrail {

// Asks the named browser ("Google Chrome" or "Safari") for the page in front
// and gives that page's host without a leading "www."; nothing for another
// name or when the answer holds no host. Waits for the browser's answer. A
// failed query writes its error details as a debug line.
std::optional<std::string> getBrowserURL(const std::string& browserName);

// The host of a page's address as the menu lists it (without a leading
// "www."); nothing when the address has no host.
std::optional<std::string> hostOfPage(const std::string& address);

// The script that asks the named browser for the address of its page in
// front; nothing for a name that is not one of the two browsers.
std::optional<std::string> browserScript(const std::string& browserName);

} // namespace Hourtrail
