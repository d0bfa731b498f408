#pragma once

#include "platform/foundation/Data.h"
#include "platform/plist/BinaryPropertyList.h"
#include "platform/plist/PropertyListCodable.h"

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
};

} // namespace platform
