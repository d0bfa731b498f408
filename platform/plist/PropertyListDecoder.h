#pragma once

#include "platform/foundation/Data.h"
#include "platform/plist/BinaryPropertyList.h"
#include "platform/plist/PropertyListCodable.h"

#include <optional>
#include <string>

namespace platform {

// Decodes codable values (see PropertyListCodable) from property lists. Any
// missing key, wrong kind or out-of-range number fails the whole value; the
// error then names where: "newLinks[2].title: expected string, found integer".
class PropertyListDecoder {
public:
    template <PropertyListCodableType T>
    static std::optional<T> decodeFromTree(const PropertyList& tree, std::string* error = nullptr) {
        PropertyListCodingPath path;
        T value{};
        if (!PropertyListCodable<T>::decode(tree, value, path)) {
            if (error != nullptr) {
                *error = path.error();
            }
            return std::nullopt;
        }
        return value;
    }

    // Reads a binary property list, then decodes its tree.
    template <PropertyListCodableType T>
    static std::optional<T> decode(const Data& bytes, std::string* error = nullptr) {
        std::string readError;
        auto tree = BinaryPropertyList::read(bytes, &readError);
        if (!tree) {
            if (error != nullptr) {
                *error = "not a binary property list: " + readError;
            }
            return std::nullopt;
        }
        return decodeFromTree<T>(*tree, error);
    }
};

} // namespace platform
