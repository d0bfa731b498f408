#include "platform/plist/PropertyList.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <limits>

namespace platform {

PropertyListDictionary::PropertyListDictionary(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries) {
        set(key, value);
    }
}

PropertyListDictionary::PropertyListDictionary(const PropertyListDictionary& other)
    : entries_(other.entries_),
      index_(other.index_ ? std::make_unique<std::vector<Slot>>(*other.index_) : nullptr) {}

PropertyListDictionary& PropertyListDictionary::operator=(const PropertyListDictionary& other) {
    if (this != &other) {
        *this = PropertyListDictionary(other);
    }
    return *this;
}

namespace {

// The fields of a record are few, and searching them in order costs less
// than hashing their keys. Past this many entries a dictionary builds its
// index, and keeps it complete from then on.
constexpr std::size_t indexedFrom = 16;
constexpr std::size_t notFound = static_cast<std::size_t>(-1);

std::size_t hashOf(std::string_view key) { return std::hash<std::string_view>{}(key); }

// The index's size for `count` entries: a power of two, at least twice as many.
std::size_t indexCapacityFor(std::size_t count) { return std::bit_ceil(std::max<std::size_t>(count * 2, 32)); }

} // namespace

std::size_t PropertyListDictionary::positionOf(std::string_view key, std::size_t hash) const {
    if (!index_) {
        for (std::size_t position = 0; position < entries_.size(); ++position) {
            if (entries_[position].first == key) {
                return position;
            }
        }
        return notFound;
    }
    const std::vector<Slot>& slots = *index_;
    const std::size_t mask = slots.size() - 1;
    for (std::size_t place = hash & mask;; place = (place + 1) & mask) {
        const Slot& slot = slots[place];
        if (slot.position == Slot::empty) {
            return notFound;
        }
        if (slot.hash == static_cast<std::uint32_t>(hash) && entries_[slot.position].first == key) {
            return slot.position;
        }
    }
}

void PropertyListDictionary::index(std::size_t position, std::size_t hash) {
    std::vector<Slot>& slots = *index_;
    const std::size_t mask = slots.size() - 1;
    std::size_t place = hash & mask;
    while (slots[place].position != Slot::empty) {
        place = (place + 1) & mask;
    }
    slots[place] = Slot{static_cast<std::uint32_t>(hash), static_cast<std::uint32_t>(position)};
}

void PropertyListDictionary::rebuildIndex(std::size_t capacity) {
    if (!index_) {
        index_ = std::make_unique<std::vector<Slot>>();
    }
    index_->assign(capacity, Slot{});
    for (std::size_t position = 0; position < entries_.size(); ++position) {
        index(position, hashOf(entries_[position].first));
    }
}

void PropertyListDictionary::set(std::string key, PropertyList value) {
    const std::size_t hash = index_ ? hashOf(key) : 0;
    if (const std::size_t position = positionOf(key, hash); position != notFound) {
        entries_[position].second = std::move(value);
        return;
    }
    entries_.emplace_back(std::move(key), std::move(value));
    if (index_) {
        if (entries_.size() * 2 > index_->size()) {
            rebuildIndex(index_->size() * 2);
        } else {
            index(entries_.size() - 1, hash);
        }
    } else if (entries_.size() > indexedFrom) {
        rebuildIndex(indexCapacityFor(entries_.size()));
    }
}

void PropertyListDictionary::reserve(std::size_t count) {
    entries_.reserve(count);
    // The index, once built, then never grows by hashing every key again.
    if (count > indexedFrom && (!index_ || indexCapacityFor(count) > index_->size())) {
        rebuildIndex(indexCapacityFor(count));
    }
}

bool PropertyListDictionary::remove(std::string_view key) {
    const std::size_t position = positionOf(key, index_ ? hashOf(key) : 0);
    if (position == notFound) {
        return false;
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    // The entries after it moved down a place: the index is made again.
    if (index_) {
        rebuildIndex(index_->size());
    }
    return true;
}

const PropertyList* PropertyListDictionary::find(std::string_view key) const {
    const std::size_t position = positionOf(key, index_ ? hashOf(key) : 0);
    return position == notFound ? nullptr : &entries_[position].second;
}

PropertyList* PropertyListDictionary::find(std::string_view key) {
    const std::size_t position = positionOf(key, index_ ? hashOf(key) : 0);
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
