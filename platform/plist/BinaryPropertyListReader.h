#pragma once

#include "platform/plist/PropertyList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Decodes one binary property list. Every offset, count and reference is checked
// against the bytes before use; objects may be shared but not form cycles, and
// nesting and the size of the decoded tree are capped, so hostile input costs
// bounded time and memory.
class BinaryPropertyListReader {
public:
    static constexpr std::size_t maximumDepth = 512;
    // Shared objects are copied into each place that references them, so a small
    // file could otherwise describe an exponentially large tree.
    static constexpr std::uint64_t decodedBytesAllowance = 16u << 20;
    static constexpr std::uint64_t decodedBytesPerInputByte = 64;

    BinaryPropertyListReader(const std::uint8_t* bytes, std::size_t size);

    std::optional<PropertyList> read(std::string* error);

private:
    struct Malformed {
        std::string reason;
    };

    [[noreturn]] static void fail(std::string reason);
    // The checks below run for every object; their failures, which build
    // messages, stay out of line so that the checks themselves inline.
    [[noreturn, gnu::cold, gnu::noinline]] static void failPastObjectArea(const char* what, std::uint64_t position);
    [[noreturn, gnu::cold, gnu::noinline]] void failTooLarge() const;
    [[noreturn, gnu::cold, gnu::noinline]] static void failOffsetOutside(std::uint64_t index, std::uint64_t offset);
    [[noreturn, gnu::cold, gnu::noinline]] void failReferenceOutOfRange(std::uint64_t reference) const;
    [[noreturn, gnu::cold, gnu::noinline]] static void failCountMarker(std::uint64_t position, std::uint8_t countMarker);
    [[noreturn, gnu::cold, gnu::noinline]] static void failCountExceeds(std::uint64_t count, std::uint64_t position);
    void readTrailer();
    PropertyList readObject(std::uint64_t index, std::size_t depth);
    PropertyList readInteger(std::uint64_t position, std::uint8_t sizeBits) const;
    std::string readString(std::uint64_t offset);
    PropertyList readArray(std::uint64_t index, std::uint64_t position, std::uint8_t marker, std::size_t depth);
    PropertyList readDictionary(std::uint64_t index, std::uint64_t position, std::uint8_t marker, std::size_t depth);
    std::uint64_t objectOffset(std::uint64_t index) const;
    std::uint64_t readCount(std::uint64_t& position, std::uint8_t marker, std::uint64_t bytesPerItem) const;
    std::uint64_t readReference(std::uint64_t position) const;
    void require(std::uint64_t position, std::uint64_t length, const char* what) const;
    std::uint64_t bigEndian(std::uint64_t position, std::size_t width) const;
    void spend(std::uint64_t decodedBytes);
    void enter(std::uint64_t index, std::size_t depth);
    void leave() { --pathLength_; }

    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t offsetIntSize_ = 0;
    std::size_t objectRefSize_ = 0;
    std::uint64_t numObjects_ = 0;
    std::uint64_t topObject_ = 0;
    std::uint64_t offsetTableOffset_ = 0; // also where the object area ends
    std::uint64_t allowance_ = 0;
    // The containers being decoded, outermost first, to catch cycles: a
    // scan of the few on the path, rather than a table of every object's
    // flag made afresh for each read (a page or more for a large file).
    std::array<std::uint64_t, maximumDepth> path_;
    std::size_t pathLength_ = 0;
};

} // namespace platform
