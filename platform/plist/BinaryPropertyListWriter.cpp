#include "platform/plist/BinaryPropertyListWriter.h"

#include "platform/plist/BinaryPropertyListFormat.h"
#include "platform/plist/BinaryPropertyListObjects.h"
#include "platform/plist/Utf16.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

namespace platform {
namespace {

using namespace binaryPropertyListFormat;
using namespace binaryPropertyListObjects;

std::uint64_t mixBits(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9;
    x ^= x >> 27;
    x *= 0x94D049BB133111EB;
    return x ^ (x >> 31);
}

std::string_view bytesOf(const Data& data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

// Containers and UIDs are never shared; everything else is, when equal.
bool isShareable(PropertyList::Kind kind) {
    return kind != PropertyList::Kind::array && kind != PropertyList::Kind::dictionary && kind != PropertyList::Kind::uid;
}

} // namespace

Data BinaryPropertyListWriter::write(const PropertyList& root) {
    BinaryPropertyListWriter writer;
    writer.reserveFor(root);
    writer.flatten(root);
    return writer.serialise();
}

BinaryPropertyListWriter::Identity BinaryPropertyListWriter::identityOf(const PropertyList& value) {
    switch (value.kind()) {
    case PropertyList::Kind::string: return {PropertyList::Kind::string, *value.string(), 0, false};
    case PropertyList::Kind::data: return {PropertyList::Kind::data, bytesOf(*value.data()), 0, false};
    case PropertyList::Kind::integer: {
        // Minus zero is written as zero, so the two are one object.
        const PropertyListInteger integer = *value.integer();
        return {PropertyList::Kind::integer, {}, integer.magnitude, integer.negative && integer.magnitude != 0};
    }
    case PropertyList::Kind::real:
        return {PropertyList::Kind::real, {}, std::bit_cast<std::uint64_t>(*value.real()), false};
    case PropertyList::Kind::date:
        return {PropertyList::Kind::date, {}, std::bit_cast<std::uint64_t>(value.date()->timeIntervalSinceReferenceDate()),
                false};
    case PropertyList::Kind::boolean: return {PropertyList::Kind::boolean, {}, *value.boolean() ? 1u : 0u, false};
    default: return {value.kind(), {}, 0, false};
    }
}

BinaryPropertyListWriter::Identity BinaryPropertyListWriter::identityOfKey(const std::string& key) {
    return {PropertyList::Kind::string, key, 0, false};
}

BinaryPropertyListWriter::Identity BinaryPropertyListWriter::identityOf(std::uint32_t object) const {
    return isKey_[object] ? identityOfKey(*static_cast<const std::string*>(objects_[object]))
                          : identityOf(*static_cast<const PropertyList*>(objects_[object]));
}

std::uint32_t BinaryPropertyListWriter::hashOf(const Identity& identity) {
    const std::uint64_t bits = identity.bits ^ (static_cast<std::uint64_t>(identity.kind) << 56) ^
                               (static_cast<std::uint64_t>(identity.negative) << 63);
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(identity.bytes) ^ mixBits(bits));
}

std::uint32_t BinaryPropertyListWriter::addObject(const void* source, bool isKey, std::size_t payloadBound) {
    // References are four bytes here; four billion objects would not fit in memory anyway.
    if (objects_.size() >= Slot::empty) {
        throw std::length_error("property list of more than 2^32 - 1 objects");
    }
    objects_.push_back(source);
    isKey_.push_back(isKey);
    payloadBound_ += payloadBound;
    return static_cast<std::uint32_t>(objects_.size() - 1);
}

const void* BinaryPropertyListWriter::slotFor(std::uint32_t hash) const {
    return &slots_[hash & (slots_.size() - 1)];
}

std::uint32_t BinaryPropertyListWriter::addShared(const Identity& identity, std::uint32_t hash, const void* source,
                                                  bool isKey) {
    if (4 * (sharedCount_ + 1) > 3 * slots_.size()) {
        growSlots(2 * slots_.size());
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.object == Slot::empty) {
            const std::size_t payloadBound = identity.kind == PropertyList::Kind::string
                                                 ? markerAndCountBound + 2 * identity.bytes.size()
                                                 : std::max(integerBound, markerAndCountBound + identity.bytes.size());
            const std::uint32_t object = addObject(source, isKey, payloadBound);
            slot = {hash, object};
            ++sharedCount_;
            return object;
        }
        if (slot.hash == hash && identityOf(slot.object) == identity) {
            return slot.object;
        }
    }
}

// Sizes the tables once for the whole tree: growing them as objects go in
// would copy and rehash large trees several times over. Keys are left out of
// the estimate, as a few distinct keys usually name every record's fields.
void BinaryPropertyListWriter::reserveFor(const PropertyList& root) {
    struct Counts {
        std::size_t objects = 0;
        std::size_t references = 0;
        std::size_t shareable = 0;
        void add(const PropertyList& value) {
            ++objects;
            if (const PropertyListArray* array = value.array()) {
                references += array->size();
                for (const PropertyList& element : *array) {
                    add(element);
                }
            } else if (const PropertyListDictionary* dictionary = value.dictionary()) {
                references += 2 * dictionary->size();
                for (const auto& [key, field] : *dictionary) {
                    add(field);
                }
            } else if (isShareable(value.kind())) {
                ++shareable;
            }
        }
    } counts;
    counts.add(root);
    objects_.reserve(counts.objects);
    isKey_.reserve(counts.objects);
    references_.reserve(counts.references);
    reserveSlots(counts.shareable);
}

// The table is never empty, so that a slot to prefetch always exists.
void BinaryPropertyListWriter::reserveSlots(std::size_t shared) {
    if (slots_.empty() || 4 * shared > 3 * slots_.size()) {
        growSlots(std::max<std::size_t>(64, std::bit_ceil(2 * shared)));
    }
}

void BinaryPropertyListWriter::prefetchDescendants(const PropertyList& container, std::size_t& budget) const {
    const auto visit = [&](const PropertyList& value) {
        if (budget == 0) {
            return;
        }
        if (isShareable(value.kind())) {
            __builtin_prefetch(slotFor(hashOf(identityOf(value))));
            --budget;
        } else {
            prefetchDescendants(value, budget);
        }
    };
    if (const PropertyListDictionary* dictionary = container.dictionary()) {
        for (const auto& [key, field] : *dictionary) {
            visit(field);
        }
    } else if (const PropertyListArray* array = container.array()) {
        for (const PropertyList& element : *array) {
            visit(element);
        }
    }
}

void BinaryPropertyListWriter::growSlots(std::size_t capacity) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(capacity, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.object != Slot::empty) {
            std::size_t i = slot.hash & mask;
            while (slots_[i].object != Slot::empty) {
                i = (i + 1) & mask;
            }
            slots_[i] = slot;
        }
    }
}

std::uint32_t BinaryPropertyListWriter::flatten(const PropertyList& value) {
    if (!isShareable(value.kind())) {
        return flattenUnshared(value);
    }
    const Identity identity = identityOf(value);
    return addShared(identity, hashOf(identity), &value, false);
}

// Looks each shareable child up in the table, having asked for its slot a
// few children ahead, so that large trees wait less on memory.
template <typename ChildAt>
void BinaryPropertyListWriter::flattenChildren(std::size_t count, std::size_t firstReference, ChildAt childAt) {
    constexpr std::size_t distance = 8;
    // Enough for a record's fields; a large container's own elements are
    // prefetched when it flattens them.
    constexpr std::size_t descendantsPrefetched = 16;
    std::uint32_t hashes[distance];
    const auto hashAhead = [&](std::size_t i) {
        const PropertyList& child = childAt(i);
        if (isShareable(child.kind())) {
            hashes[i % distance] = hashOf(identityOf(child));
            __builtin_prefetch(slotFor(hashes[i % distance]));
        } else {
            // A record among many: its fields, nested ones included, are what
            // the table will be asked for.
            std::size_t budget = descendantsPrefetched;
            prefetchDescendants(child, budget);
        }
    };
    for (std::size_t i = 0; i < std::min(distance, count); ++i) {
        hashAhead(i);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const PropertyList& child = childAt(i);
        const std::uint32_t object = isShareable(child.kind())
                                         ? addShared(identityOf(child), hashes[i % distance], &child, false)
                                         : flattenUnshared(child);
        references_[firstReference + i] = object;
        if (i + distance < count) {
            hashAhead(i + distance);
        }
    }
}

std::uint32_t BinaryPropertyListWriter::flattenUnshared(const PropertyList& value) {
    switch (value.kind()) {
    case PropertyList::Kind::array: {
        const PropertyListArray& array = *value.array();
        const std::uint32_t object = addObject(&value, false, markerAndCountBound);
        // The block is placed before the elements are flattened, which add
        // the blocks of their own containers after it.
        const std::size_t first = references_.size();
        references_.resize(first + array.size());
        flattenChildren(array.size(), first, [&array](std::size_t i) -> const PropertyList& { return array[i]; });
        return object;
    }
    case PropertyList::Kind::dictionary: {
        const std::vector<PropertyListDictionary::Entry>& entries = value.dictionary()->entries();
        const std::uint32_t object = addObject(&value, false, markerAndCountBound);
        const std::size_t first = references_.size();
        references_.resize(first + 2 * entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Identity key = identityOfKey(entries[i].first);
            references_[first + i] = addShared(key, hashOf(key), &entries[i].first, true);
        }
        flattenChildren(entries.size(), first + entries.size(),
                        [&entries](std::size_t i) -> const PropertyList& { return entries[i].second; });
        return object;
    }
    default: return addObject(&value, false, integerBound); // a UID
    }
}

Data BinaryPropertyListWriter::serialise() const {
    // Sizes are chosen to hold the object count and the offset table's own
    // offset, which is what readers check them against.
    const std::size_t referenceSize = byteWidthFor(objects_.size());
    const std::size_t objectAreaBound = magic.size() + payloadBound_ + references_.size() * referenceSize;
    Data out(objectAreaBound + objects_.size() * 8 + trailerSize);
    // Each offset is kept in eight bytes past where the objects can reach, and
    // narrowed into the table once the table's width is known. The table never
    // overtakes the offsets it has yet to read.
    std::uint8_t* const offsets = out.data() + objectAreaBound;
    Cursor cursor(out.data());
    cursor.bytes(magic.data(), magic.size());
    std::size_t reference = 0;
    for (std::size_t index = 0; index < objects_.size(); ++index) {
        const std::uint64_t offset = static_cast<std::uint64_t>(cursor.position() - out.data());
        std::memcpy(offsets + 8 * index, &offset, 8);
        if (isKey_[index]) {
            writeString(cursor, *static_cast<const std::string*>(objects_[index]));
            continue;
        }
        const PropertyList& value = *static_cast<const PropertyList*>(objects_[index]);
        std::size_t references = 0;
        switch (value.kind()) {
        case PropertyList::Kind::string: writeString(cursor, *value.string()); break;
        case PropertyList::Kind::integer: writeInteger(cursor, *value.integer()); break;
        case PropertyList::Kind::real: writeDouble(cursor, markerReal | 3, *value.real()); break;
        case PropertyList::Kind::boolean: cursor.byte(*value.boolean() ? markerTrue : markerFalse); break;
        case PropertyList::Kind::date: writeDouble(cursor, markerDate, value.date()->timeIntervalSinceReferenceDate()); break;
        case PropertyList::Kind::data: writeData(cursor, *value.data()); break;
        case PropertyList::Kind::uid: writeUid(cursor, *value.uid()); break;
        case PropertyList::Kind::array:
            references = value.array()->size();
            cursor.markerAndCount(markerArray, references);
            break;
        case PropertyList::Kind::dictionary:
            references = 2 * value.dictionary()->size();
            cursor.markerAndCount(markerDictionary, value.dictionary()->size());
            break;
        }
        for (std::size_t end = reference + references; reference < end; ++reference) {
            cursor.bigEndian(references_[reference], referenceSize);
        }
    }
    const std::uint64_t offsetTableOffset = static_cast<std::uint64_t>(cursor.position() - out.data());
    const std::size_t offsetSize = byteWidthFor(offsetTableOffset);
    for (std::size_t index = 0; index < objects_.size(); ++index) {
        std::uint64_t offset;
        std::memcpy(&offset, offsets + 8 * index, 8);
        cursor.bigEndian(offset, offsetSize);
    }
    std::memset(cursor.position(), 0, trailerOffsetIntSize);
    cursor.skip(trailerOffsetIntSize);
    cursor.byte(static_cast<std::uint8_t>(offsetSize));
    cursor.byte(static_cast<std::uint8_t>(referenceSize));
    cursor.bigEndian(objects_.size(), 8);
    cursor.bigEndian(0, 8); // the root is flattened first
    cursor.bigEndian(offsetTableOffset, 8);
    out.resize(static_cast<std::size_t>(cursor.position() - out.data()));
    return out;
}

} // namespace platform
