#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to UTF-16. Ill-formed input (stray continuation bytes, overlong forms,
// encoded surrogates, values above U+10FFFF, cut-off sequences) becomes one
// U+FFFD per offending sequence, so every std::string has an encoding.
std::u16string utf16FromUtf8(std::string_view text);

// The same units, written big-endian from `out`, which must have room for
// 2 * text.size() bytes (no sequence gives more units than it has bytes);
// returns the number of units written.
std::size_t writeUtf16BigEndian(std::string_view text, std::uint8_t* out);

// UTF-16 to UTF-8; nullopt when a surrogate is unpaired.
std::optional<std::string> utf8FromUtf16(std::u16string_view text);

// The same from `count` big-endian units at `units`.
std::optional<std::string> utf8FromUtf16BigEndian(const std::uint8_t* units, std::size_t count);

} // namespace platform
