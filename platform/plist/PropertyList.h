#pragma once

#include "platform/foundation/Data.h"
#include "platform/foundation/Date.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace platform {

class PropertyList;

// A dictionary whose keys keep the order in which they were first inserted,
// as the platform's encoders write the fields of a record in declaration order.
class PropertyListDictionary {
public:
    using Entry = std::pair<std::string, PropertyList>;

    PropertyListDictionary() = default;
    PropertyListDictionary(std::initializer_list<Entry> entries);
    PropertyListDictionary(const PropertyListDictionary& other);
    PropertyListDictionary(PropertyListDictionary&&) noexcept = default;
    PropertyListDictionary& operator=(const PropertyListDictionary& other);
    PropertyListDictionary& operator=(PropertyListDictionary&&) noexcept = default;

    // Replaces the value of an existing key in place, or appends a new key.
    void set(std::string key, PropertyList value);
    // Makes room for `count` entries, as a reader that knows how many follow does.
    void reserve(std::size_t count);
    bool remove(std::string_view key);
    const PropertyList* find(std::string_view key) const;
    PropertyList* find(std::string_view key);
    bool contains(std::string_view key) const { return find(key) != nullptr; }

    // Defined after PropertyList: they need the entry type complete, and
    // clang with libstdc++ instantiates it where the body stands.
    std::size_t size() const;
    bool empty() const;
    const std::vector<Entry>& entries() const { return entries_; }
    std::vector<Entry>::const_iterator begin() const;
    std::vector<Entry>::const_iterator end() const;

    bool operator==(const PropertyListDictionary& other) const;

private:
    // One place of the index: an entry's position and 32 bits of its key's
    // hash, so that most probes never touch the entries.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t position = empty;
        static constexpr std::uint32_t empty = 0xFFFFFFFF;
    };

    std::size_t positionOf(std::string_view key, std::size_t hash) const;
    void index(std::size_t position, std::size_t hash);
    void rebuildIndex(std::size_t capacity);

    std::vector<Entry> entries_;
    // Open addressing over positions in entries_, at most half full. None
    // while the dictionary is small enough to search in order; complete
    // from the moment it is built. Held by pointer: most dictionaries are
    // records too small to have one, and every node of a tree takes the
    // room of its largest kind, this one.
    std::unique_ptr<std::vector<Slot>> index_;
};

using PropertyListArray = std::vector<PropertyList>;

// A property-list integer: the format holds signed 64-bit values and unsigned
// ones up to 2^64-1, so both are kept exactly.
struct PropertyListInteger {
    bool negative = false;
    std::uint64_t magnitude = 0;

    static PropertyListInteger fromSigned(std::int64_t value);
    static PropertyListInteger fromUnsigned(std::uint64_t value) { return {false, value}; }
    std::optional<std::int64_t> asInt64() const;
    std::optional<std::uint64_t> asUInt64() const;
    bool operator==(const PropertyListInteger&) const = default;
};

// A reference to another object of a keyed archive (`$top`, `$objects`): the
// binary format's UID object (marker 0x8_), which keyed archives need.
struct PropertyListUID {
    std::uint64_t value = 0;
    bool operator==(const PropertyListUID&) const = default;
};

// One node of a property list: string, integer, real, boolean, date, data,
// array, dictionary or (in keyed archives only) UID.
class PropertyList {
public:
    enum class Kind { string, integer, real, boolean, date, data, array, dictionary, uid };

    PropertyList() : value_(std::string()) {}
    PropertyList(std::string value) : value_(std::move(value)) {}
    PropertyList(const char* value) : value_(std::string(value)) {}
    PropertyList(PropertyListInteger value) : value_(value) {}
    PropertyList(double value) : value_(value) {}
    PropertyList(bool value) : value_(value) {}
    PropertyList(Date value) : value_(value) {}
    PropertyList(Data value) : value_(std::move(value)) {}
    PropertyList(PropertyListArray value) : value_(std::move(value)) {}
    PropertyList(PropertyListDictionary value) : value_(std::move(value)) {}
    PropertyList(PropertyListUID value) : value_(value) {}

    static PropertyList integer(std::int64_t value) { return PropertyList(PropertyListInteger::fromSigned(value)); }
    static PropertyList unsignedInteger(std::uint64_t value) { return PropertyList(PropertyListInteger::fromUnsigned(value)); }

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool is(Kind kind) const { return this->kind() == kind; }

    // Typed access: a pointer to the value when the node is of that kind, else null.
    const std::string* string() const { return std::get_if<std::string>(&value_); }
    const PropertyListInteger* integer() const { return std::get_if<PropertyListInteger>(&value_); }
    const double* real() const { return std::get_if<double>(&value_); }
    const bool* boolean() const { return std::get_if<bool>(&value_); }
    const Date* date() const { return std::get_if<Date>(&value_); }
    const Data* data() const { return std::get_if<Data>(&value_); }
    const PropertyListArray* array() const { return std::get_if<PropertyListArray>(&value_); }
    const PropertyListDictionary* dictionary() const { return std::get_if<PropertyListDictionary>(&value_); }
    const PropertyListUID* uid() const { return std::get_if<PropertyListUID>(&value_); }
    Data* data() { return std::get_if<Data>(&value_); }
    PropertyListArray* array() { return std::get_if<PropertyListArray>(&value_); }
    PropertyListDictionary* dictionary() { return std::get_if<PropertyListDictionary>(&value_); }

    bool operator==(const PropertyList& other) const { return value_ == other.value_; }

private:
    // The order of the alternatives matches Kind.
    std::variant<std::string, PropertyListInteger, double, bool, Date, Data, PropertyListArray, PropertyListDictionary,
                 PropertyListUID>
        value_;
};

inline std::size_t PropertyListDictionary::size() const { return entries_.size(); }
inline bool PropertyListDictionary::empty() const { return entries_.empty(); }
inline std::vector<PropertyListDictionary::Entry>::const_iterator PropertyListDictionary::begin() const {
    return entries_.begin();
}
inline std::vector<PropertyListDictionary::Entry>::const_iterator PropertyListDictionary::end() const {
    return entries_.end();
}

const char* kindName(PropertyList::Kind kind);

} // namespace platform
