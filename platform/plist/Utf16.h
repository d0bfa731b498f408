#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to UTF-16. Ill-formed input (stray continuation bytes, overlong forms,
// encoded surrogates, values above U+10FFFF, cut-off sequences) becomes one
// U+FFFD per offending sequence, so every std::string has an encoding.
std::u16string utf16FromUtf8(std::string_view text);

// UTF-16 to UTF-8; nullopt when a surrogate is unpaired.
std::optional<std::string> utf8FromUtf16(std::u16string_view text);

} // namespace platform
