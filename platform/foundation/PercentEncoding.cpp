#include "platform/foundation/PercentEncoding.h"

#include "platform/foundation/Hexadecimal.h"

namespace platform {

bool PercentEncoding::isUnreserved(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

bool PercentEncoding::isHexDigit(char c) { return Hexadecimal::digitValue(c) >= 0; }

std::string PercentEncoding::encode(std::string_view text, std::string_view allowedPunctuation) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (isUnreserved(c) || (c != '%' && allowedPunctuation.find(c) != std::string_view::npos)) {
            result += c;
            continue;
        }
        result += '%';
        Hexadecimal::appendByte(result, static_cast<std::uint8_t>(c));
    }
    return result;
}

std::optional<std::string> PercentEncoding::decode(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            result += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = Hexadecimal::digitValue(text[i + 1]);
        const int low = Hexadecimal::digitValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        result += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return result;
}

} // namespace platform
