#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace platform {

// The platform's debug form of a text: enclosed in double quotes, with quotes,
// backslashes and control characters escaped (`\"`, `\\`, `\'`, `\n`, `\r`,
// `\t`, `\0`; any other ASCII control character and DEL as `\u{XX}` with two
// upper-case hex digits). Every other byte, UTF-8 included, is kept as it is.
std::string debugDescription(std::string_view text);

// Writes the debug form of the text and a line feed to the debug output
// (standard output unless redirected), and flushes it. Safe from any thread.
void debugPrint(std::string_view text);

// Redirects debugPrint (tests capture its lines); nullptr restores standard output.
void setDebugOutput(std::ostream* stream);

} // namespace platform
