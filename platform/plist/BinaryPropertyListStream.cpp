#include "platform/plist/BinaryPropertyListStream.h"

#include "platform/plist/BinaryPropertyListObjects.h"

#include <stdexcept>

namespace platform {

using namespace binaryPropertyListObjects;

std::uint8_t* BinaryPropertyListStream::begin(std::size_t bound) {
    const std::size_t start = bytes_.size();
    bytes_.resize(start + bound);
    objects_.push_back({start, 0});
    return bytes_.data() + start;
}

BinaryPropertyListStream::Reference BinaryPropertyListStream::end(std::uint8_t* written, std::size_t referenceCount) {
    bytes_.resize(static_cast<std::size_t>(written - bytes_.data()));
    objects_.back().referenceCount = referenceCount;
    // A reference is kept in 32 bits: more objects than that would not fit
    // this machine's memory as a tree either.
    if (objects_.size() > std::numeric_limits<Reference>::max()) {
        throw std::length_error("too many objects for a binary property list");
    }
    return static_cast<Reference>(objects_.size() - 1);
}

BinaryPropertyListStream::Reference BinaryPropertyListStream::unsharedString(std::string_view text) {
    // As many bytes as the text, twice over for UTF-16, and the marker with its count.
    Cursor cursor(begin(markerAndCountBound + 2 * text.size()));
    writeString(cursor, text);
    return end(cursor.position());
}

BinaryPropertyListStream::Reference BinaryPropertyListStream::string(std::string_view text) {
    for (const Recent& recent : recent_) {
        if (recent.text.data() && recent.text == text) {
            return recent.object;
        }
    }
    const Reference object = unsharedString(text);
    recent_[nextRecent_] = {text, object};
    nextRecent_ = (nextRecent_ + 1) % recent_.size();
    return object;
}

BinaryPropertyListStream::Reference BinaryPropertyListStream::fieldName(std::string_view name) {
    for (const Recent& known : fieldNames_) {
        if (known.text.data() == name.data() && known.text.size() == name.size()) {
            return known.object;
        }
    }
    const Reference object = unsharedString(name);
    fieldNames_.push_back({name, object});
    return object;
}

BinaryPropertyListStream::Reference BinaryPropertyListStream::real(double value) {
    Cursor cursor(begin(9));
    writeDouble(cursor, markerReal | 3, value);
    return end(cursor.position());
}

BinaryPropertyListStream::Reference BinaryPropertyListStream::boolean(bool value) {
    Cursor cursor(begin(1));
    cursor.byte(value ? markerTrue : markerFalse);
    return end(cursor.position());
}

BinaryPropertyListStream::Reference BinaryPropertyListStream::array(const Reference* elements, std::size_t count) {
    references_.insert(references_.end(), elements, elements + count);
    Cursor cursor(begin(markerAndCountBound));
    cursor.markerAndCount(markerArray, count);
    return end(cursor.position(), count);
}

BinaryPropertyListStream::Reference BinaryPropertyListStream::dictionary(const Reference* keys, const Reference* values,
                                                                         std::size_t count) {
    references_.insert(references_.end(), keys, keys + count);
    references_.insert(references_.end(), values, values + count);
    Cursor cursor(begin(markerAndCountBound));
    cursor.markerAndCount(markerDictionary, count);
    return end(cursor.position(), 2 * count);
}

BinaryPropertyListStream::Reference BinaryPropertyListStream::tree(const PropertyList& value) {
    switch (value.kind()) {
    case PropertyList::Kind::string: return unsharedString(*value.string());
    case PropertyList::Kind::real: return real(*value.real());
    case PropertyList::Kind::boolean: return boolean(*value.boolean());
    case PropertyList::Kind::integer: {
        Cursor cursor(begin(integerBound));
        writeInteger(cursor, *value.integer());
        return end(cursor.position());
    }
    case PropertyList::Kind::date: {
        Cursor cursor(begin(9));
        writeDouble(cursor, markerDate, value.date()->timeIntervalSinceReferenceDate());
        return end(cursor.position());
    }
    case PropertyList::Kind::data: {
        Cursor cursor(begin(markerAndCountBound + value.data()->size()));
        writeData(cursor, *value.data());
        return end(cursor.position());
    }
    case PropertyList::Kind::uid: {
        Cursor cursor(begin(9));
        writeUid(cursor, *value.uid());
        return end(cursor.position());
    }
    case PropertyList::Kind::array: {
        std::vector<Reference> elements;
        elements.reserve(value.array()->size());
        for (const PropertyList& element : *value.array()) {
            elements.push_back(tree(element));
        }
        return array(elements.data(), elements.size());
    }
    case PropertyList::Kind::dictionary: {
        std::vector<Reference> keys;
        std::vector<Reference> values;
        keys.reserve(value.dictionary()->size());
        values.reserve(value.dictionary()->size());
        for (const auto& [key, field] : *value.dictionary()) {
            keys.push_back(unsharedString(key));
            values.push_back(tree(field));
        }
        return dictionary(keys.data(), values.data(), keys.size());
    }
    }
    throw std::logic_error("a property list of no known kind");
}

Data BinaryPropertyListStream::finish(Reference root) const {
    // Sizes are chosen to hold the object count and the offset table's own
    // offset, which is what readers check them against.
    const std::size_t referenceSize = byteWidthFor(objects_.size());
    const std::size_t objectArea = magic.size() + bytes_.size() + references_.size() * referenceSize;
    const std::size_t offsetSize = byteWidthFor(objectArea);
    Data out(objectArea + objects_.size() * offsetSize + trailerSize);
    Cursor cursor(out.data());
    cursor.bytes(magic.data(), magic.size());
    std::uint8_t* offsets = out.data() + objectArea;
    // The containers' references are kept in the order of the containers.
    std::size_t reference = 0;
    for (std::size_t index = 0; index < objects_.size(); ++index) {
        const Object& object = objects_[index];
        Cursor offset(offsets + index * offsetSize);
        offset.bigEndian(static_cast<std::uint64_t>(cursor.position() - out.data()), offsetSize);
        const std::size_t next = index + 1 < objects_.size() ? objects_[index + 1].start : bytes_.size();
        cursor.bytes(bytes_.data() + object.start, next - object.start);
        for (const std::size_t last = reference + object.referenceCount; reference < last; ++reference) {
            cursor.bigEndian(references_[reference], referenceSize);
        }
    }
    cursor.skip(objects_.size() * offsetSize);
    std::memset(cursor.position(), 0, trailerOffsetIntSize);
    cursor.skip(trailerOffsetIntSize);
    cursor.byte(static_cast<std::uint8_t>(offsetSize));
    cursor.byte(static_cast<std::uint8_t>(referenceSize));
    cursor.bigEndian(objects_.size(), 8);
    cursor.bigEndian(root, 8);
    cursor.bigEndian(objectArea, 8);
    return out;
}

} // namespace platform
