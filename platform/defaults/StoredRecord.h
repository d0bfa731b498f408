#pragma once

#include "platform/defaults/UserDefaults.h"
#include "platform/plist/PropertyListDecoder.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The record a program keeps as a binary property list in a data value of its
// defaults. A missing value gives nothing. So does one that is there but
// cannot be decoded, which the defaults then keep aside before anything
// replaces it: the program starts afresh without destroying what it could
// not read.
// `value` is what the defaults hold under `key`, for a caller that needs it
// too and so reads it once.
template <class T>
std::optional<T> decodeStoredRecord(const UserDefaults& defaults, std::string_view key,
                                    const std::optional<PropertyList>& value) {
    if (!value) {
        return std::nullopt;
    }
    std::string error = "not a data value";
    if (const Data* bytes = value->data()) {
        if (auto record = PropertyListDecoder::decode<T>(*bytes, &error)) {
            return record;
        }
    }
    defaults.keepAsideBeforeReplacing(key, error);
    return std::nullopt;
}

template <class T>
std::optional<T> decodeStoredRecord(const UserDefaults& defaults, std::string_view key) {
    return decodeStoredRecord<T>(defaults, key, defaults.object(key));
}

} // namespace platform
