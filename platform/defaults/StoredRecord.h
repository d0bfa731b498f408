#pragma once

#include "platform/defaults/UserDefaults.h"
#include "platform/plist/PropertyListDecoder.h"

#include <future>
#include <memory>
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

// The same for a record large enough to hold up a program's start: the
// stored value is decoded on a thread of its own from the moment this is
// made, and take() returns the record, waiting for it if need be, on the
// defaults' own thread, which also keeps an undecodable value aside there.
template <class T>
class StoredRecordLoading {
public:
    StoredRecordLoading() = default;
    StoredRecordLoading(const UserDefaults& defaults, std::string_view key) : defaults_(&defaults), key_(key) {
        std::optional<PropertyList> value = defaults.object(key);
        if (!value) {
            return;
        }
        Data* bytes = value->data();
        if (bytes == nullptr) {
            error_ = "not a data value";
            return;
        }
        bytes_ = std::make_shared<const Data>(std::move(*bytes));
        decoding_ = std::async(std::launch::async, [bytes = bytes_] {
            Decoded decoded;
            decoded.record = PropertyListDecoder::decode<T>(*bytes, &decoded.error);
            return decoded;
        });
    }

    // The stored bytes, for a caller that needs them too; null when there were none.
    const std::shared_ptr<const Data>& bytes() const { return bytes_; }

    // The record, once: a missing or undecodable value gives nothing.
    std::optional<T> take() {
        std::optional<T> record;
        if (decoding_.valid()) {
            Decoded decoded = decoding_.get();
            record = std::move(decoded.record);
            if (!record) {
                error_ = std::move(decoded.error);
            }
        }
        if (error_) {
            defaults_->keepAsideBeforeReplacing(key_, *error_);
            error_.reset();
        }
        return record;
    }

private:
    struct Decoded {
        std::optional<T> record;
        std::string error;
    };

    const UserDefaults* defaults_ = nullptr;
    std::string key_;
    std::shared_ptr<const Data> bytes_;
    std::future<Decoded> decoding_;
    std::optional<std::string> error_;
};

} // namespace platform
