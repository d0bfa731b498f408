#pragma once

#include "platform/foundation/Data.h"
#include "platform/plist/BinaryPropertyListFormat.h"
#include "platform/plist/PropertyList.h"
#include "platform/plist/Utf16.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

// How each kind of object is laid out in a binary property list, for the
// writers that lay them out (a tree's, and the stream's).
namespace platform::binaryPropertyListObjects {

using namespace binaryPropertyListFormat;

// The most a marker with its count takes: the marker, an integer marker and eight bytes.
constexpr std::size_t markerAndCountBound = 10;
// The most an integer takes: its marker and sixteen bytes.
constexpr std::size_t integerBound = 17;

// Writes into a buffer that was sized for everything written to it.
class Cursor {
public:
    explicit Cursor(std::uint8_t* at) : at_(at) {}

    std::uint8_t* position() const { return at_; }
    void skip(std::size_t count) { at_ += count; }

    void byte(std::uint8_t value) { *at_++ = value; }

    void bigEndian(std::uint64_t value, std::size_t width) {
        switch (width) {
        case 1: *at_ = static_cast<std::uint8_t>(value); break;
        case 2: store(static_cast<std::uint16_t>(value)); break;
        case 4: store(static_cast<std::uint32_t>(value)); break;
        case 8: store(value); break;
        default:
            for (std::size_t i = width; i-- > 0;) {
                at_[width - 1 - i] = static_cast<std::uint8_t>(value >> (8 * i));
            }
        }
        at_ += width;
    }

    void bytes(const void* from, std::size_t count) {
        if (count != 0) {
            std::memcpy(at_, from, count);
            at_ += count;
        }
    }

    // The low nibble of an integer marker is log2 of its byte count.
    void unsignedInteger(std::uint64_t value) {
        const std::size_t width = byteWidthFor(value);
        byte(integerMarker(width));
        bigEndian(value, width);
    }

    void markerAndCount(std::uint8_t marker, std::size_t count) {
        if (count < countFollows) {
            byte(static_cast<std::uint8_t>(marker | count));
            return;
        }
        byte(marker | countFollows);
        unsignedInteger(count);
    }

    static std::uint8_t integerMarker(std::size_t width) {
        return static_cast<std::uint8_t>(markerInteger | std::countr_zero(width));
    }

private:
    template <typename Unsigned>
    void store(Unsigned value) {
        if constexpr (std::endian::native == std::endian::little) {
            value = byteSwap(value);
        }
        std::memcpy(at_, &value, sizeof value);
    }

    static std::uint16_t byteSwap(std::uint16_t value) { return __builtin_bswap16(value); }
    static std::uint32_t byteSwap(std::uint32_t value) { return __builtin_bswap32(value); }
    static std::uint64_t byteSwap(std::uint64_t value) { return __builtin_bswap64(value); }

    std::uint8_t* at_;
};

// The bytes a marker with `count` takes.
inline std::size_t markerAndCountSize(std::size_t count) {
    return count < countFollows ? 1 : 2 + byteWidthFor(count);
}

inline bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

inline void writeInteger(Cursor& out, const PropertyListInteger& integer) {
    constexpr auto int64Max = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const std::uint64_t magnitude = integer.magnitude;
    const std::uint64_t negated = ~magnitude + 1;
    if (!integer.negative || magnitude == 0) {
        if (magnitude <= int64Max) {
            out.unsignedInteger(magnitude);
        } else {
            // Readers take the 8-byte form as signed, so larger values need the 16-byte one.
            out.byte(Cursor::integerMarker(16));
            out.bigEndian(0, 8);
            out.bigEndian(magnitude, 8);
        }
    } else if (magnitude <= int64Max + 1) {
        out.byte(Cursor::integerMarker(8));
        out.bigEndian(negated, 8);
    } else {
        out.byte(Cursor::integerMarker(16));
        out.bigEndian(std::numeric_limits<std::uint64_t>::max(), 8);
        out.bigEndian(negated, 8);
    }
}

inline void writeDouble(Cursor& out, std::uint8_t marker, double value) {
    out.byte(marker);
    out.bigEndian(std::bit_cast<std::uint64_t>(value), 8);
}

inline void writeString(Cursor& out, std::string_view text) {
    if (isAscii(text)) {
        out.markerAndCount(markerAsciiString, text.size());
        out.bytes(text.data(), text.size());
        return;
    }
    // The units go where the longest count could put them, then move up to
    // the count they turn out to have: never more units than bytes.
    const std::size_t reserved = markerAndCountSize(text.size());
    std::uint8_t* const start = out.position();
    const std::size_t units = writeUtf16BigEndian(text, start + reserved);
    const std::size_t header = markerAndCountSize(units);
    if (header != reserved) {
        std::memmove(start + header, start + reserved, 2 * units);
    }
    out.markerAndCount(markerUtf16String, units);
    out.skip(2 * units);
}

inline void writeData(Cursor& out, const Data& bytes) {
    out.markerAndCount(markerData, bytes.size());
    out.bytes(bytes.data(), bytes.size());
}

inline void writeUid(Cursor& out, const PropertyListUID& uid) {
    // The low nibble of a UID marker is its byte count minus one.
    const std::size_t width = byteWidthFor(uid.value);
    out.byte(static_cast<std::uint8_t>(markerUid | (width - 1)));
    out.bigEndian(uid.value, width);
}

} // namespace platform::binaryPropertyListObjects
