#include "platform/plist/PropertyList.h"

#include <limits>

namespace platform {

PropertyListDictionary::PropertyListDictionary(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries) {
        set(key, value);
    }
}

namespace {

// The fields of a record are few, and searching them in order costs less
// than building and keeping a hash index for each record. Past this many
// entries a dictionary builds its index, and keeps it complete from then on;
// an empty index means one was never needed.
constexpr std::size_t indexedFrom = 16;
constexpr std::size_t notFound = static_cast<std::size_t>(-1);

std::size_t positionOf(const std::vector<PropertyListDictionary::Entry>& entries,
                       const std::unordered_map<std::string, std::size_t>& index, std::string_view key) {
    if (index.empty()) {
        for (std::size_t position = 0; position < entries.size(); ++position) {
            if (entries[position].first == key) {
                return position;
            }
        }
        return notFound;
    }
    const auto found = index.find(std::string(key));
    return found == index.end() ? notFound : found->second;
}

} // namespace

void PropertyListDictionary::set(std::string key, PropertyList value) {
    if (const std::size_t position = positionOf(entries_, index_, key); position != notFound) {
        entries_[position].second = std::move(value);
        return;
    }
    if (!index_.empty()) {
        index_.emplace(key, entries_.size());
    }
    entries_.emplace_back(std::move(key), std::move(value));
    if (index_.empty() && entries_.size() > indexedFrom) {
        index_.reserve(entries_.size());
        for (std::size_t position = 0; position < entries_.size(); ++position) {
            index_.emplace(entries_[position].first, position);
        }
    }
}

void PropertyListDictionary::reserve(std::size_t count) {
    entries_.reserve(count);
    // The index, once built, then never grows by rehashing every key again.
    if (count > indexedFrom) {
        index_.reserve(count);
    }
}

bool PropertyListDictionary::remove(std::string_view key) {
    const std::size_t position = positionOf(entries_, index_, key);
    if (position == notFound) {
        return false;
    }
    if (!index_.empty()) {
        index_.erase(entries_[position].first);
        for (auto& [name, slot] : index_) {
            if (slot > position) {
                --slot;
            }
        }
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    return true;
}

const PropertyList* PropertyListDictionary::find(std::string_view key) const {
    const std::size_t position = positionOf(entries_, index_, key);
    return position == notFound ? nullptr : &entries_[position].second;
}

PropertyList* PropertyListDictionary::find(std::string_view key) {
    const std::size_t position = positionOf(entries_, index_, key);
    return position == notFound ? nullptr : &entries_[position].second;
}

bool PropertyListDictionary::operator==(const PropertyListDictionary& other) const {
    return entries_ == other.entries_;
}

PropertyListInteger PropertyListInteger::fromSigned(std::int64_t value) {
    if (value >= 0) {
        return {false, static_cast<std::uint64_t>(value)};
    }
    // Negate in unsigned arithmetic so that INT64_MIN does not overflow.
    return {true, ~static_cast<std::uint64_t>(value) + 1};
}

std::optional<std::int64_t> PropertyListInteger::asInt64() const {
    constexpr auto maxPositive = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (!negative) {
        if (magnitude > maxPositive) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(magnitude);
    }
    if (magnitude > maxPositive + 1) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(~magnitude + 1);
}

std::optional<std::uint64_t> PropertyListInteger::asUInt64() const {
    if (negative && magnitude != 0) {
        return std::nullopt;
    }
    return magnitude;
}

const char* kindName(PropertyList::Kind kind) {
    switch (kind) {
    case PropertyList::Kind::string: return "string";
    case PropertyList::Kind::integer: return "integer";
    case PropertyList::Kind::real: return "real";
    case PropertyList::Kind::boolean: return "boolean";
    case PropertyList::Kind::date: return "date";
    case PropertyList::Kind::data: return "data";
    case PropertyList::Kind::array: return "array";
    case PropertyList::Kind::dictionary: return "dictionary";
    case PropertyList::Kind::uid: return "uid";
    }
    return "unknown";
}

} // namespace platform
