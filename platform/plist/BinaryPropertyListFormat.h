#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform::binaryPropertyListFormat {

// The layout shared by the binary property-list reader and writer.
// Internal to each file that uses it: as one inline variable shared by
// several files, the writer read a broken view of it when clang 14 built it
// with AddressSanitizer and UndefinedBehaviorSanitizer together at -O2.
constexpr std::string_view magic = "bplist00";
inline constexpr std::size_t trailerSize = 32;
// Within the trailer: 5 unused bytes and the sort version come first.
inline constexpr std::size_t trailerOffsetIntSize = 6;
inline constexpr std::size_t trailerObjectRefSize = 7;
inline constexpr std::size_t trailerNumObjects = 8;
inline constexpr std::size_t trailerTopObject = 16;
inline constexpr std::size_t trailerOffsetTableOffset = 24;

// Object markers: the high nibble is the type, the low nibble a size or count.
enum Marker : std::uint8_t {
    markerNull = 0x00,
    markerFalse = 0x08,
    markerTrue = 0x09,
    markerInteger = 0x10,
    markerReal = 0x20,
    markerDate = 0x33,
    markerData = 0x40,
    markerAsciiString = 0x50,
    markerUtf16String = 0x60,
    markerUid = 0x80,
    markerArray = 0xA0,
    markerSet = 0xC0,
    markerDictionary = 0xD0,
};
// A low nibble of 0xF means the count follows as an integer object.
inline constexpr std::uint8_t countFollows = 0x0F;

// The smallest of 1, 2, 4 or 8 bytes that holds `value`.
constexpr std::size_t byteWidthFor(std::uint64_t value) {
    if (value <= 0xFF) {
        return 1;
    }
    if (value <= 0xFFFF) {
        return 2;
    }
    if (value <= 0xFFFFFFFF) {
        return 4;
    }
    return 8;
}

} // namespace platform::binaryPropertyListFormat
