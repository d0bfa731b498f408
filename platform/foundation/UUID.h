#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A 128-bit universally unique identifier (RFC 4122). Like the platform's
// UUID(), a default-constructed one is new and random (version 4).
class UUID {
public:
    using Bytes = std::array<std::uint8_t, 16>;

    UUID();
    explicit UUID(const Bytes& bytes) : bytes_(bytes) {}

    // Parses the 8-4-4-4-12 hexadecimal form, in either case.
    static std::optional<UUID> fromString(std::string_view text);

    // The canonical form: 36 characters, upper-case hexadecimal with hyphens.
    std::string uuidString() const;
    const Bytes& bytes() const { return bytes_; }

    auto operator<=>(const UUID&) const = default;

private:
    Bytes bytes_;
};

struct UUIDHash {
    std::size_t operator()(const UUID& uuid) const;
};

} // namespace platform
