#pragma once

#include "platform/foundation/Data.h"
#include "platform/plist/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The platform's binary property-list format ("bplist00"): objects, an offset
// table and a 32-byte trailer.
class BinaryPropertyList {
public:
    // Serialises a tree; never fails for a valid tree.
    static Data write(const PropertyList& root);
    // Parses; on malformed input returns nullopt and, if `error` is given, a readable reason.
    static std::optional<PropertyList> read(const Data& data, std::string* error = nullptr);
    static std::optional<PropertyList> read(const std::uint8_t* bytes, std::size_t size, std::string* error = nullptr);
    static bool looksLikeBinaryPropertyList(const Data& data); // "bplist00" magic
};

} // namespace platform
