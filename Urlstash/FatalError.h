#pragma once

#include <source_location>
#include <string_view>

namespace Urlstash {

// Stops the program at once: flushes standard output, writes
// "<folder>/<file>:<line>: Fatal error: <message>" to standard error and
// aborts, so the process ends with a non-zero status. For states the program
// cannot run in; nothing is saved on the way out.
[[noreturn]] void fatalError(std::string_view message,
                             std::source_location location = std::source_location::current());

} // namespace Urlstash
