#pragma once

#include "platform/plist/PropertyListCodable.h"

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Pricetray {

// A map that yields its entries in the order their keys were first inserted.
// Replacing the value of a key keeps its place; erasing a key and inserting it
// again puts it last. The cart is listed in this order, so the menu stays the
// same from one opening, and one run, to the next.
template <class Key, class Value, class Hash = std::hash<Key>>
class InsertionOrderedMap {
public:
    using key_type = Key;
    using mapped_type = Value;
    using Entry = std::pair<Key, Value>;

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

    const Value* find(const Key& key) const {
        auto found = index_.find(key);
        return found == index_.end() ? nullptr : &entries_[found->second].second;
    }
    Value* find(const Key& key) {
        auto found = index_.find(key);
        return found == index_.end() ? nullptr : &entries_[found->second].second;
    }

    // The value of the key, added last with `value` when the key is new.
    Value& tryEmplace(const Key& key, Value value = {}) {
        if (Value* existing = find(key)) {
            return *existing;
        }
        index_.emplace(key, entries_.size());
        entries_.emplace_back(key, std::move(value));
        return entries_.back().second;
    }

    void insert_or_assign(Key key, Value value) {
        if (Value* existing = find(key)) {
            *existing = std::move(value);
            return;
        }
        index_.emplace(key, entries_.size());
        entries_.emplace_back(std::move(key), std::move(value));
    }

    // False when there was no such key.
    bool erase(const Key& key) {
        auto found = index_.find(key);
        if (found == index_.end()) {
            return false;
        }
        const std::size_t position = found->second;
        index_.erase(found);
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
        for (std::size_t i = position; i < entries_.size(); ++i) {
            index_[entries_[i].first] = i;
        }
        return true;
    }

    void clear() {
        entries_.clear();
        index_.clear();
    }

    bool operator==(const InsertionOrderedMap& other) const { return entries_ == other.entries_; }

private:
    std::vector<Entry> entries_;
    std::unordered_map<Key, std::size_t, Hash> index_;
};

} // namespace Pricetray

// Coded as the platform codes any map: a dictionary when keyed by text, else
// an array alternating key and value; decoding keeps the stored order.
namespace platform {

template <class Key, class Value, class Hash>
struct PropertyListCodable<Pricetray::InsertionOrderedMap<Key, Value, Hash>>
    : detail::MapCoding<Pricetray::InsertionOrderedMap<Key, Value, Hash>> {};

} // namespace platform
