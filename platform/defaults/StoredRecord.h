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
//
// Made with std::launch::async (for a record large enough to hold up a
// program's start), the value is decoded on a thread of its own from the
// moment this is made; with std::launch::deferred, in take(). take() returns
// the record, waiting for it if need be, on the defaults' own thread, which
// also keeps an undecodable value aside there.
template <class T>
class StoredRecordLoading {
public:
    StoredRecordLoading() = default;
    StoredRecordLoading(const UserDefaults& defaults, std::string_view key, std::launch launch)
        : defaults_(&defaults), key_(key) {
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
        decoding_ = std::async(launch, [bytes = bytes_] {
            Decoded decoded;
            decoded.record = PropertyListDecoder::decode<T>(*bytes, &decoded.error);
            return decoded;
        });
    }

    // The stored bytes, for a caller that needs them too; null when there were none.
    const std::shared_ptr<const Data>& bytes() const { return bytes_; }

    // Whether take() still has something to do: a record to hand over or a
    // value to keep aside.
    bool pending() const { return decoding_.valid() || !error_.empty(); }

    // The record, once: a missing or undecodable value gives nothing.
    std::optional<T> take() {
        std::optional<T> record;
        if (decoding_.valid()) {
            Decoded decoded = decoding_.get();
            record = std::move(decoded.record);
            if (!record) {
                error_ = decoded.error.empty() ? std::string("not decodable") : std::move(decoded.error);
            }
        }
        if (!error_.empty()) {
            defaults_->keepAsideBeforeReplacing(key_, error_);
            error_.clear();
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
    // Why the stored value cannot be decoded, until it is kept aside; empty if it can.
    std::string error_;
};

template <class T>
std::optional<T> decodeStoredRecord(const UserDefaults& defaults, std::string_view key) {
    return StoredRecordLoading<T>(defaults, key, std::launch::deferred).take();
}

} // namespace platform
