#include "platform/plist/Utf16.h"

#include <bit>
#include <cstring>
#include <memory>

namespace platform {
namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

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

// Calls `emit` with each UTF-16 unit of `text`. Runs of ASCII go eight
// bytes at a time, and well-formed two- and three-byte sequences, most of
// what text outside ASCII holds, are decoded in place; anything else takes
// the careful path.
template <typename Emit>
void forEachUtf16Unit(std::string_view text, Emit emit) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t position = 0;
    while (position < size) {
        if (position + 8 <= size) {
            // The ASCII bytes that open the next eight, however many they are.
            std::uint64_t word;
            std::memcpy(&word, bytes + position, 8);
            const std::uint64_t high = word & 0x8080808080808080;
            const std::size_t ascii = high == 0 ? 8
                                      : std::endian::native == std::endian::little ? std::countr_zero(high) / 8
                                                                                    : std::countl_zero(high) / 8;
            for (std::size_t i = 0; i < ascii; ++i) {
                emit(static_cast<char16_t>(bytes[position + i]));
            }
            position += ascii;
            if (ascii != 0) {
                continue;
            }
        }
        const unsigned char lead = bytes[position];
        if (lead < 0x80) {
            emit(static_cast<char16_t>(lead));
            ++position;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF && position + 1 < size && isContinuation(bytes[position + 1])) {
            emit(static_cast<char16_t>(((lead & 0x1F) << 6) | (bytes[position + 1] & 0x3F)));
            position += 2;
            continue;
        }
        if ((lead & 0xF0) == 0xE0 && position + 2 < size && isContinuation(bytes[position + 1]) &&
            isContinuation(bytes[position + 2])) {
            const char32_t value = ((lead & 0x0F) << 12) | ((bytes[position + 1] & 0x3F) << 6) | (bytes[position + 2] & 0x3F);
            if (value >= 0x800 && (value < 0xD800 || value > 0xDFFF)) {
                emit(static_cast<char16_t>(value));
                position += 3;
                continue;
            }
        }
        const char32_t value = decodeUtf8(text, position);
        if (value < 0x10000) {
            emit(static_cast<char16_t>(value));
        } else {
            const char32_t offset = value - 0x10000;
            emit(static_cast<char16_t>(0xD800 + (offset >> 10)));
            emit(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
        }
    }
}

// UTF-8 from `count` units, `unitAt(i)` giving each, converted in one pass
// into a buffer of the longest length (three bytes a unit), then copied
// into a text of its own size.
template <typename UnitAt>
std::optional<std::string> utf8FromUnits(std::size_t count, UnitAt unitAt) {
    char small[512];
    std::unique_ptr<char[]> large;
    char* const buffer = count <= sizeof small / 3 ? small : (large = std::make_unique_for_overwrite<char[]>(3 * count)).get();
    char* cursor = buffer;
    for (std::size_t i = 0; i < count; ++i) {
        char32_t value = unitAt(i);
        if (value < 0x80) {
            *cursor++ = static_cast<char>(value);
            continue;
        }
        if (value < 0x800) {
            *cursor++ = static_cast<char>(0xC0 | (value >> 6));
            *cursor++ = static_cast<char>(0x80 | (value & 0x3F));
            continue;
        }
        if (isLowSurrogate(value)) {
            return std::nullopt;
        }
        if (!isHighSurrogate(value)) {
            *cursor++ = static_cast<char>(0xE0 | (value >> 12));
            *cursor++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
            *cursor++ = static_cast<char>(0x80 | (value & 0x3F));
            continue;
        }
        if (i + 1 >= count || !isLowSurrogate(unitAt(i + 1))) {
            return std::nullopt;
        }
        value = 0x10000 + ((value - 0xD800) << 10) + (unitAt(++i) - 0xDC00);
        *cursor++ = static_cast<char>(0xF0 | (value >> 18));
        *cursor++ = static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        *cursor++ = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        *cursor++ = static_cast<char>(0x80 | (value & 0x3F));
    }
    return std::string(buffer, cursor);
}

} // namespace

std::u16string utf16FromUtf8(std::string_view text) {
    std::u16string out(text.size(), u'\0');
    std::size_t length = 0;
    forEachUtf16Unit(text, [&](char16_t unit) { out[length++] = unit; });
    out.resize(length);
    return out;
}

std::size_t writeUtf16BigEndian(std::string_view text, std::uint8_t* out) {
    std::uint8_t* const start = out;
    forEachUtf16Unit(text, [&](char16_t unit) {
        *out++ = static_cast<std::uint8_t>(unit >> 8);
        *out++ = static_cast<std::uint8_t>(unit);
    });
    return static_cast<std::size_t>(out - start) / 2;
}

std::optional<std::string> utf8FromUtf16(std::u16string_view text) {
    return utf8FromUnits(text.size(), [text](std::size_t i) { return static_cast<char32_t>(text[i]); });
}

std::optional<std::string> utf8FromUtf16BigEndian(const std::uint8_t* units, std::size_t count) {
    return utf8FromUnits(count, [units](std::size_t i) {
        return static_cast<char32_t>((units[2 * i] << 8) | units[2 * i + 1]);
    });
}

} // namespace platform
