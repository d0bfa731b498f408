#include "platform/plist/BinaryPropertyListReader.h"

#include "platform/plist/BinaryPropertyListFormat.h"
#include "platform/plist/Utf16.h"

#include <bit>
#include <cstring>
#include <limits>
#include <new>

namespace platform {

using namespace binaryPropertyListFormat;

namespace {

constexpr std::uint64_t allOnes = std::numeric_limits<std::uint64_t>::max();

// Any width from one to eight bytes: other writers size offsets to the file
// (three bytes once a file passes 64 KiB), not to a power of two.
bool isValidWidth(std::size_t width) { return width >= 1 && width <= 8; }

template <typename Unsigned>
Unsigned loadBigEndian(const std::uint8_t* at) {
    Unsigned value;
    std::memcpy(&value, at, sizeof value);
    if constexpr (std::endian::native == std::endian::little) {
        if constexpr (sizeof value == 4) {
            value = __builtin_bswap32(value);
        } else {
            value = __builtin_bswap64(value);
        }
    }
    return value;
}

// The first byte of the `count` at `bytes` with its high bit set, or null;
// eight bytes at a time.
const std::uint8_t* firstHighByte(const std::uint8_t* bytes, std::uint64_t count) {
    std::uint64_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        if (word & 0x8080808080808080) {
            break;
        }
    }
    for (; i < count; ++i) {
        if (bytes[i] >= 0x80) {
            return bytes + i;
        }
    }
    return nullptr;
}

std::string hex(std::uint8_t byte) {
    constexpr char digits[] = "0123456789abcdef";
    return std::string("0x") + digits[byte >> 4] + digits[byte & 0xF];
}

} // namespace

BinaryPropertyListReader::BinaryPropertyListReader(const std::uint8_t* bytes, std::size_t size)
    : bytes_(bytes), size_(size) {
    const bool saturates = size > (allOnes - decodedBytesAllowance) / decodedBytesPerInputByte;
    allowance_ = saturates ? allOnes : decodedBytesAllowance + size * decodedBytesPerInputByte;
}

// Inlined: every object's offset and every reference goes through it.
[[gnu::always_inline]] inline std::uint64_t BinaryPropertyListReader::bigEndian(std::uint64_t position,
                                                                                std::size_t width) const {
    const std::uint8_t* const at = bytes_ + position;
    switch (width) {
    case 1: return at[0];
    case 2: return (std::uint64_t{at[0]} << 8) | at[1];
    case 4: return loadBigEndian<std::uint32_t>(at);
    case 8: return loadBigEndian<std::uint64_t>(at);
    default: {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            value = (value << 8) | at[i];
        }
        return value;
    }
    }
}

std::optional<PropertyList> BinaryPropertyListReader::read(std::string* error) {
    try {
        readTrailer();
        return readObject(topObject_, 1);
    } catch (const Malformed& malformed) {
        if (error) {
            *error = "binary property list: " + malformed.reason;
        }
    } catch (const std::bad_alloc&) {
        if (error) {
            *error = "binary property list: out of memory";
        }
    }
    return std::nullopt;
}

void BinaryPropertyListReader::fail(std::string reason) { throw Malformed{std::move(reason)}; }

void BinaryPropertyListReader::readTrailer() {
    if (bytes_ == nullptr || size_ < magic.size() + trailerSize) {
        fail("too short (" + std::to_string(size_) + " bytes)");
    }
    if (std::memcmp(bytes_, magic.data(), magic.size()) != 0) {
        fail("missing \"bplist00\" header");
    }
    const std::uint64_t trailer = size_ - trailerSize;
    offsetIntSize_ = bytes_[trailer + trailerOffsetIntSize];
    objectRefSize_ = bytes_[trailer + trailerObjectRefSize];
    numObjects_ = bigEndian(trailer + trailerNumObjects, 8);
    topObject_ = bigEndian(trailer + trailerTopObject, 8);
    offsetTableOffset_ = bigEndian(trailer + trailerOffsetTableOffset, 8);
    if (!isValidWidth(offsetIntSize_)) {
        fail("offset size " + std::to_string(offsetIntSize_) + " is not 1 to 8");
    }
    if (!isValidWidth(objectRefSize_)) {
        fail("reference size " + std::to_string(objectRefSize_) + " is not 1 to 8");
    }
    if (numObjects_ == 0) {
        fail("no objects");
    }
    if (topObject_ >= numObjects_) {
        fail("top object " + std::to_string(topObject_) + " out of range (" + std::to_string(numObjects_) + " objects)");
    }
    if (offsetTableOffset_ <= magic.size() || offsetTableOffset_ > trailer) {
        fail("offset table offset " + std::to_string(offsetTableOffset_) + " outside the file");
    }
    if (numObjects_ > (trailer - offsetTableOffset_) / offsetIntSize_) {
        fail("offset table of " + std::to_string(numObjects_) + " entries does not fit before the trailer");
    }
}

void BinaryPropertyListReader::failPastObjectArea(const char* what, std::uint64_t position) {
    fail(std::string(what) + " at offset " + std::to_string(position) + " runs past the object area");
}

void BinaryPropertyListReader::failTooLarge() const {
    fail("decoded tree too large for a file of " + std::to_string(size_) + " bytes");
}

void BinaryPropertyListReader::failOffsetOutside(std::uint64_t index, std::uint64_t offset) {
    fail("object " + std::to_string(index) + " has offset " + std::to_string(offset) + " outside the object area");
}

void BinaryPropertyListReader::failReferenceOutOfRange(std::uint64_t reference) const {
    fail("reference " + std::to_string(reference) + " out of range (" + std::to_string(numObjects_) + " objects)");
}

void BinaryPropertyListReader::require(std::uint64_t position, std::uint64_t length, const char* what) const {
    // position never exceeds the end of the object area, so the subtraction cannot wrap.
    if (length > offsetTableOffset_ - position) [[unlikely]] {
        failPastObjectArea(what, position);
    }
}

void BinaryPropertyListReader::spend(std::uint64_t decodedBytes) {
    if (decodedBytes > allowance_) [[unlikely]] {
        failTooLarge();
    }
    allowance_ -= decodedBytes;
}

[[gnu::always_inline]] inline std::uint64_t BinaryPropertyListReader::objectOffset(std::uint64_t index) const {
    // The trailer check keeps the whole table, and so this product, inside the file.
    const std::uint64_t offset = bigEndian(offsetTableOffset_ + index * offsetIntSize_, offsetIntSize_);
    if (offset < magic.size() || offset >= offsetTableOffset_) [[unlikely]] {
        failOffsetOutside(index, offset);
    }
    return offset;
}

[[gnu::always_inline]] inline std::uint64_t BinaryPropertyListReader::readReference(std::uint64_t position) const {
    const std::uint64_t reference = bigEndian(position, objectRefSize_);
    if (reference >= numObjects_) [[unlikely]] {
        failReferenceOutOfRange(reference);
    }
    return reference;
}

void BinaryPropertyListReader::failCountMarker(std::uint64_t position, std::uint8_t countMarker) {
    fail("count of object at offset " + std::to_string(position - 2) + " has marker " + hex(countMarker) +
         ", not a 1- to 8-byte integer");
}

void BinaryPropertyListReader::failCountExceeds(std::uint64_t count, std::uint64_t position) {
    fail("count " + std::to_string(count) + " at offset " + std::to_string(position) + " exceeds the bytes that remain");
}

[[gnu::always_inline]] inline std::uint64_t BinaryPropertyListReader::readCount(std::uint64_t& position,
                                                                                std::uint8_t marker,
                                                                                std::uint64_t bytesPerItem) const {
    std::uint64_t count = marker & 0x0F;
    if (count == countFollows) {
        require(position, 1, "count");
        const std::uint8_t countMarker = bytes_[position++];
        if ((countMarker & 0xF0) != markerInteger || (countMarker & 0x0F) > 3) [[unlikely]] {
            failCountMarker(position, countMarker);
        }
        const std::size_t width = std::size_t{1} << (countMarker & 0x0F);
        require(position, width, "count");
        count = bigEndian(position, width);
        position += width;
    }
    // The product overflowing means the count is absurd too; no division on this path.
    std::uint64_t bytes = 0;
    if (__builtin_mul_overflow(count, bytesPerItem, &bytes) || bytes > offsetTableOffset_ - position) [[unlikely]] {
        failCountExceeds(count, position);
    }
    return count;
}

void BinaryPropertyListReader::enter(std::uint64_t index, std::size_t depth) {
    if (depth > maximumDepth) {
        fail("nested deeper than " + std::to_string(maximumDepth) + " levels");
    }
    for (std::size_t i = 0; i < pathLength_; ++i) {
        if (path_[i] == index) {
            fail("reference cycle through object " + std::to_string(index));
        }
    }
    path_[pathLength_++] = index;
}

PropertyList BinaryPropertyListReader::readObject(std::uint64_t index, std::size_t depth) {
    spend(sizeof(PropertyList));
    const std::uint64_t offset = objectOffset(index);
    const std::uint8_t marker = bytes_[offset];
    const std::uint64_t position = offset + 1;
    const std::uint8_t low = marker & 0x0F;
    switch (marker & 0xF0) {
    case markerNull:
        if (marker == markerFalse || marker == markerTrue) {
            return PropertyList(marker == markerTrue);
        }
        break;
    case markerInteger: return readInteger(position, low);
    case markerReal:
        if (low == 2) {
            require(position, 4, "real");
            return PropertyList(static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(bigEndian(position, 4)))));
        }
        if (low == 3) {
            require(position, 8, "real");
            return PropertyList(std::bit_cast<double>(bigEndian(position, 8)));
        }
        break;
    case markerDate & 0xF0:
        if (marker == markerDate) {
            require(position, 8, "date");
            return PropertyList(Date::fromTimeIntervalSinceReferenceDate(std::bit_cast<double>(bigEndian(position, 8))));
        }
        break;
    case markerData: {
        std::uint64_t start = position;
        const std::uint64_t count = readCount(start, marker, 1);
        spend(count);
        return PropertyList(Data(bytes_ + start, bytes_ + start + count));
    }
    case markerAsciiString:
    case markerUtf16String: return PropertyList(readString(offset));
    case markerUid: {
        const std::size_t width = std::size_t{low} + 1;
        require(position, width, "UID");
        for (std::size_t i = 0; i + 8 < width; ++i) {
            if (bytes_[position + i] != 0) {
                fail("UID at offset " + std::to_string(offset) + " does not fit in 64 bits");
            }
        }
        const std::size_t significant = width > 8 ? 8 : width;
        return PropertyList(PropertyListUID{bigEndian(position + width - significant, significant)});
    }
    case markerArray: return readArray(index, position, marker, depth);
    case markerDictionary: return readDictionary(index, position, marker, depth);
    default: break;
    }
    fail("unsupported object marker " + hex(marker) + " at offset " + std::to_string(offset));
}

PropertyList BinaryPropertyListReader::readInteger(std::uint64_t position, std::uint8_t sizeBits) const {
    if (sizeBits > 4) {
        fail("integer at offset " + std::to_string(position - 1) + " of 2^" + std::to_string(sizeBits) + " bytes");
    }
    const std::size_t width = std::size_t{1} << sizeBits;
    require(position, width, "integer");
    if (width < 8) {
        return PropertyList::unsignedInteger(bigEndian(position, width));
    }
    if (width == 8) {
        return PropertyList::integer(static_cast<std::int64_t>(bigEndian(position, 8)));
    }
    // 16 bytes: a signed 128-bit value, kept when it lies within +-(2^64-1).
    const std::uint64_t high = bigEndian(position, 8);
    const std::uint64_t low = bigEndian(position + 8, 8);
    if (high == 0) {
        return PropertyList::unsignedInteger(low);
    }
    if (high == allOnes && low != 0) {
        return PropertyList(PropertyListInteger{true, ~low + 1});
    }
    fail("integer at offset " + std::to_string(position - 1) + " does not fit in 64 bits");
}

std::string BinaryPropertyListReader::readString(std::uint64_t offset) {
    const std::uint8_t marker = bytes_[offset];
    std::uint64_t position = offset + 1;
    const bool ascii = (marker & 0xF0) == markerAsciiString;
    const std::uint64_t count = readCount(position, marker, ascii ? 1 : 2);
    const std::uint8_t* start = bytes_ + position;
    if (ascii) {
        if (const std::uint8_t* high = firstHighByte(start, count)) {
            fail("non-ASCII byte " + hex(*high) + " in ASCII string at offset " + std::to_string(position + (high - start)));
        }
        spend(count);
        return std::string(reinterpret_cast<const char*>(start), count);
    }
    // UTF-8 takes at most three bytes for every two of UTF-16.
    spend(count * 3);
    std::optional<std::string> text = utf8FromUtf16BigEndian(start, count);
    if (!text) {
        fail("string at offset " + std::to_string(position) + " has an unpaired UTF-16 surrogate");
    }
    return std::move(*text);
}

PropertyList BinaryPropertyListReader::readArray(std::uint64_t index, std::uint64_t position, std::uint8_t marker,
                                                 std::size_t depth) {
    enter(index, depth);
    const std::uint64_t count = readCount(position, marker, objectRefSize_);
    PropertyListArray array;
    array.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        array.push_back(readObject(readReference(position + i * objectRefSize_), depth + 1));
    }
    leave();
    return PropertyList(std::move(array));
}

PropertyList BinaryPropertyListReader::readDictionary(std::uint64_t index, std::uint64_t position, std::uint8_t marker,
                                                      std::size_t depth) {
    enter(index, depth);
    const std::uint64_t count = readCount(position, marker, 2 * objectRefSize_);
    const std::uint64_t values = position + count * objectRefSize_;
    PropertyListDictionary dictionary;
    // The entries are paid for before their room is made, all at once, so
    // that a count no entry backs cannot claim more memory than the file's
    // allowance, at any level of nesting.
    spend(count * sizeof(PropertyListDictionary::Entry));
    dictionary.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t keyIndex = readReference(position + i * objectRefSize_);
        const std::uint64_t keyOffset = objectOffset(keyIndex);
        const std::uint8_t keyType = bytes_[keyOffset] & 0xF0;
        if (keyType != markerAsciiString && keyType != markerUtf16String) {
            fail("dictionary key " + std::to_string(keyIndex) + " is not a string");
        }
        std::string key = readString(keyOffset);
        // A repeated key keeps its first place and its last value.
        dictionary.set(std::move(key), readObject(readReference(values + i * objectRefSize_), depth + 1));
    }
    leave();
    return PropertyList(std::move(dictionary));
}

} // namespace platform
