#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Percent-encoding of URL text (RFC 3986 section 2.1). Letters, digits and
// "-._~" are never escaped; each component allows some punctuation besides.
struct PercentEncoding {
    // Punctuation a URL path may hold unescaped ("/" separates its segments).
    static constexpr std::string_view pathAllowed = "!$&'()*+,;=:@/";
    // The same for one path segment, where "/" must be escaped.
    static constexpr std::string_view pathComponentAllowed = "!$&'()*+,;=:@";

    static bool isUnreserved(char c);
    static bool isHexDigit(char c);

    // Escapes every byte that is neither unreserved nor in `allowedPunctuation`
    // as "%XX" (upper-case hexadecimal), including "%" itself.
    static std::string encode(std::string_view text, std::string_view allowedPunctuation);
    // Replaces each "%XX" by its byte; no value when an escape is malformed.
    static std::optional<std::string> decode(std::string_view text);
};

} // namespace platform
