#pragma once

#include <string>
#include <string_view>

namespace platform {

// Backslash escapes for quoted text: the double quote, the backslash, line
// feed, carriage return and tab get their usual two-character escapes. Every
// other ASCII control character and DEL is written with `controlFormat`, a
// printf format taking the byte as an unsigned int ("\\x%02x"), because each
// output format spells those differently. Other bytes, UTF-8 included, are
// kept as they are.
struct BackslashEscaping {
    static std::string escaped(std::string_view text, const char* controlFormat);
};

} // namespace platform
