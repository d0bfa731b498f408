#pragma once

#include "platform/foundation/Data.h"
#include "platform/plist/BinaryPropertyList.h"
#include "platform/plist/PropertyListCodable.h"
#include "platform/plist/PropertyListStreamCoding.h"

namespace platform {

// Encodes codable values (see PropertyListCodable) into property lists, as
// the platform's property-list encoder does with its default settings.
class PropertyListEncoder {
public:
    template <PropertyListCodableType T>
    static PropertyList encodeToTree(const T& value) {
        return PropertyListCodable<T>::encode(value);
    }

    // The binary property list of `value`.
    template <PropertyListCodableType T>
    static Data encode(const T& value) {
        return BinaryPropertyList::write(encodeToTree(value));
    }

    // The same property list, written without its tree, for large values:
    // it takes a fraction of the memory and time, and shares fewer equal
    // values (see BinaryPropertyListStream), so it may be larger.
    template <PropertyListCodableType T>
    static Data encodeWithoutTree(const T& value) {
        BinaryPropertyListStream out;
        const auto root = streamCoding::write(out, value);
        return out.finish(root);
    }
};

} // namespace platform
