#include "platform/foundation/UUID.h"

#include "platform/foundation/Hexadecimal.h"

#include <random>

namespace platform {

namespace {

constexpr bool isHyphenPosition(std::size_t position) {
    return position == 8 || position == 13 || position == 18 || position == 23;
}

std::mt19937_64& generator() {
    // Seeded once per thread from the system's entropy source.
    thread_local std::mt19937_64 engine = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }();
    return engine;
}

} // namespace

UUID::UUID() {
    auto& engine = generator();
    for (std::size_t i = 0; i < bytes_.size(); i += 8) {
        std::uint64_t random = engine();
        for (std::size_t j = 0; j < 8; ++j) {
            bytes_[i + j] = static_cast<std::uint8_t>(random >> (8 * j));
        }
    }
    bytes_[6] = static_cast<std::uint8_t>((bytes_[6] & 0x0F) | 0x40); // version 4
    bytes_[8] = static_cast<std::uint8_t>((bytes_[8] & 0x3F) | 0x80); // RFC 4122 variant
}

std::optional<UUID> UUID::fromString(std::string_view text) {
    if (text.size() != 36) {
        return std::nullopt;
    }
    Bytes bytes{};
    std::size_t nibble = 0;
    for (std::size_t position = 0; position < text.size(); ++position) {
        if (isHyphenPosition(position)) {
            if (text[position] != '-') {
                return std::nullopt;
            }
            continue;
        }
        const int value = Hexadecimal::digitValue(text[position]);
        if (value < 0) {
            return std::nullopt;
        }
        bytes[nibble / 2] = static_cast<std::uint8_t>(bytes[nibble / 2] | (nibble % 2 == 0 ? value << 4 : value));
        ++nibble;
    }
    return UUID(bytes);
}

std::string UUID::uuidString() const {
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (isHyphenPosition(text.size())) {
            text += '-';
        }
        Hexadecimal::appendByte(text, bytes_[i]);
    }
    return text;
}

std::size_t UUIDHash::operator()(const UUID& uuid) const {
    std::size_t hash = 0;
    for (std::uint8_t byte : uuid.bytes()) {
        hash = hash * 131 + byte;
    }
    return hash;
}

} // namespace platform
