#include "platform/plist/Utf16.h"

#include <cstdint>

namespace platform {
namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one scalar value at `position` and advances past it. An ill-formed
// sequence yields U+FFFD; a missing continuation byte is left to start the next sequence.
char32_t decodeUtf8(std::string_view text, std::size_t& position) {
    const auto lead = static_cast<unsigned char>(text[position++]);
    if (lead < 0x80) {
        return lead;
    }
    std::size_t length = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3;
    } else {
        return replacementCharacter;
    }
    constexpr char32_t smallestOfLength[] = {0, 0x80, 0x800, 0x10000};
    char32_t value = lead & (0x3F >> length);
    for (std::size_t i = 0; i < length; ++i) {
        if (position >= text.size() || !isContinuation(static_cast<unsigned char>(text[position]))) {
            return replacementCharacter;
        }
        value = (value << 6) | (static_cast<unsigned char>(text[position++]) & 0x3F);
    }
    if (value < smallestOfLength[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return replacementCharacter;
    }
    return value;
}

void appendUtf8(std::string& out, char32_t value) {
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

} // namespace

std::u16string utf16FromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const char32_t value = decodeUtf8(text, position);
        if (value < 0x10000) {
            out += static_cast<char16_t>(value);
        } else {
            const char32_t offset = value - 0x10000;
            out += static_cast<char16_t>(0xD800 + (offset >> 10));
            out += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
        }
    }
    return out;
}

std::optional<std::string> utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return std::nullopt;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
                return std::nullopt;
            }
            const char16_t low = text[++i];
            appendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00));
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace platform
