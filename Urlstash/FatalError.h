#pragma once

#include <string_view>

namespace Urlstash {

// Stops the program at once: flushes standard output, writes
// "<folder>/<file>:<line>: Fatal error: <message>" to standard error and
// aborts, so the process ends with a non-zero status. For states the program
// cannot run in; nothing is saved on the way out.
// The caller's file and line come from the compiler's builtins, which g++ and
// clang 14 both have; std::source_location needs clang 15 with libstdc++.
[[noreturn]] void fatalError(std::string_view message, const char* file = __builtin_FILE(),
                             unsigned line = __builtin_LINE());

} // namespace Urlstash
