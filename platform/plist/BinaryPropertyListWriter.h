#pragma once

#include "platform/foundation/Data.h"
#include "platform/plist/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Lays a tree out as a binary property list. Objects are numbered in pre-order
// (a dictionary's keys before its values); equal strings, numbers, dates and
// data share one object, containers and UIDs never do.
//
// The first pass numbers the objects, pointing into the tree rather than
// copying it; the second writes them into one buffer sized in advance, once
// the width of a reference is known.
class BinaryPropertyListWriter {
public:
    static Data write(const PropertyList& root);

private:
    // What makes two shareable objects one: the kind, and the text or bytes,
    // or the bits of a number, date or boolean.
    struct Identity {
        PropertyList::Kind kind;
        std::string_view bytes;
        std::uint64_t bits;
        bool negative;
        bool operator==(const Identity&) const = default;
    };

    // Open addressing over the objects' numbers, keeping 32 bits of each hash
    // beside it so that most probes never touch the objects.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t object = empty;
        static constexpr std::uint32_t empty = 0xFFFFFFFF;
    };

    std::uint32_t flatten(const PropertyList& value);
    std::uint32_t flattenUnshared(const PropertyList& value);
    template <typename ChildAt>
    void flattenChildren(std::size_t count, std::size_t firstReference, ChildAt childAt);
    std::uint32_t addShared(const Identity& identity, std::uint32_t hash, const void* source, bool isKey);
    std::uint32_t addObject(const void* source, bool isKey, std::size_t payloadBound);
    static Identity identityOf(const PropertyList& value);
    static Identity identityOfKey(const std::string& key);
    static std::uint32_t hashOf(const Identity& identity);
    Identity identityOf(std::uint32_t object) const;
    // Where the search for `hash` starts, to prefetch. The prefetches are
    // written where they are used: g++ takes a function that only prefetches
    // for one without effect and drops the calls to it.
    const void* slotFor(std::uint32_t hash) const;
    void prefetchDescendants(const PropertyList& container, std::size_t& budget) const;
    void reserveFor(const PropertyList& root);
    void reserveSlots(std::size_t shared);
    void growSlots(std::size_t capacity);
    Data serialise() const;

    // Each object points into the tree: at a node, or at a dictionary key's text.
    std::vector<const void*> objects_;
    std::vector<bool> isKey_;
    // The containers' references, one block per container in object order.
    std::vector<std::uint32_t> references_;
    std::vector<Slot> slots_;
    std::size_t sharedCount_ = 0;
    std::size_t payloadBound_ = 0; // bytes the objects take at most, references apart
};

} // namespace platform
