#include "platform/plist/PropertyList.h"

#include <limits>

namespace platform {

PropertyListDictionary::PropertyListDictionary(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries) {
        set(key, value);
    }
}

void PropertyListDictionary::set(std::string key, PropertyList value) {
    if (auto found = index_.find(key); found != index_.end()) {
        entries_[found->second].second = std::move(value);
        return;
    }
    index_.emplace(key, entries_.size());
    entries_.emplace_back(std::move(key), std::move(value));
}

bool PropertyListDictionary::remove(std::string_view key) {
    auto found = index_.find(std::string(key));
    if (found == index_.end()) {
        return false;
    }
    const std::size_t position = found->second;
    index_.erase(found);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    for (auto& [name, slot] : index_) {
        if (slot > position) {
            --slot;
        }
    }
    return true;
}

const PropertyList* PropertyListDictionary::find(std::string_view key) const {
    auto found = index_.find(std::string(key));
    return found == index_.end() ? nullptr : &entries_[found->second].second;
}

PropertyList* PropertyListDictionary::find(std::string_view key) {
    auto found = index_.find(std::string(key));
    return found == index_.end() ? nullptr : &entries_[found->second].second;
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
