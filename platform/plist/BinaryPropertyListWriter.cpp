#include "platform/plist/BinaryPropertyListWriter.h"

#include "platform/plist/BinaryPropertyListFormat.h"
#include "platform/plist/Utf16.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

namespace platform {
namespace {

using namespace binaryPropertyListFormat;

void appendBigEndian(Data& out, std::uint64_t value, std::size_t width) {
    for (std::size_t i = width; i-- > 0;) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// The low nibble of an integer marker is log2 of its byte count.
std::uint8_t integerMarkerFor(std::size_t width) {
    return static_cast<std::uint8_t>(markerInteger | std::countr_zero(width));
}

void appendUnsigned(Data& out, std::uint64_t value) {
    const std::size_t width = byteWidthFor(value);
    out.push_back(integerMarkerFor(width));
    appendBigEndian(out, value, width);
}

void appendMarkerAndCount(Data& out, std::uint8_t marker, std::size_t count) {
    if (count < countFollows) {
        out.push_back(static_cast<std::uint8_t>(marker | count));
        return;
    }
    out.push_back(marker | countFollows);
    appendUnsigned(out, count);
}

Data encodeInteger(const PropertyListInteger& integer) {
    constexpr auto int64Max = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    Data out;
    const std::uint64_t magnitude = integer.magnitude;
    const std::uint64_t negated = ~magnitude + 1;
    if (!integer.negative || magnitude == 0) {
        if (magnitude <= int64Max) {
            appendUnsigned(out, magnitude);
        } else {
            // Readers take the 8-byte form as signed, so larger values need the 16-byte one.
            out.push_back(integerMarkerFor(16));
            appendBigEndian(out, 0, 8);
            appendBigEndian(out, magnitude, 8);
        }
    } else if (magnitude <= int64Max + 1) {
        out.push_back(integerMarkerFor(8));
        appendBigEndian(out, negated, 8);
    } else {
        out.push_back(integerMarkerFor(16));
        appendBigEndian(out, std::numeric_limits<std::uint64_t>::max(), 8);
        appendBigEndian(out, negated, 8);
    }
    return out;
}

Data encodeDouble(std::uint8_t marker, double value) {
    Data out{marker};
    appendBigEndian(out, std::bit_cast<std::uint64_t>(value), 8);
    return out;
}

Data encodeString(const std::string& text) {
    Data out;
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        appendMarkerAndCount(out, markerAsciiString, text.size());
        out.insert(out.end(), text.begin(), text.end());
        return out;
    }
    const std::u16string units = utf16FromUtf8(text);
    appendMarkerAndCount(out, markerUtf16String, units.size());
    for (const char16_t unit : units) {
        appendBigEndian(out, unit, 2);
    }
    return out;
}

Data encodeData(const Data& bytes) {
    Data out;
    appendMarkerAndCount(out, markerData, bytes.size());
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

Data encodeUid(const PropertyListUID& uid) {
    // The low nibble of a UID marker is its byte count minus one.
    const std::size_t width = byteWidthFor(uid.value);
    Data out{static_cast<std::uint8_t>(markerUid | (width - 1))};
    appendBigEndian(out, uid.value, width);
    return out;
}

} // namespace

Data BinaryPropertyListWriter::write(const PropertyList& root) {
    BinaryPropertyListWriter writer;
    writer.flatten(root);
    return writer.serialise();
}

std::size_t BinaryPropertyListWriter::addObject(Data encoded, bool shareable) {
    if (!shareable) {
        objects_.push_back({std::move(encoded), {}});
        return objects_.size() - 1;
    }
    const auto [found, inserted] = sharedObjects_.try_emplace(std::string(encoded.begin(), encoded.end()), objects_.size());
    if (inserted) {
        objects_.push_back({std::move(encoded), {}});
    }
    return found->second;
}

std::size_t BinaryPropertyListWriter::flatten(const PropertyList& value) {
    switch (value.kind()) {
    case PropertyList::Kind::string: return addObject(encodeString(*value.string()), true);
    case PropertyList::Kind::integer: return addObject(encodeInteger(*value.integer()), true);
    case PropertyList::Kind::real: return addObject(encodeDouble(markerReal | 3, *value.real()), true);
    case PropertyList::Kind::boolean: return addObject(Data{*value.boolean() ? markerTrue : markerFalse}, true);
    case PropertyList::Kind::date:
        return addObject(encodeDouble(markerDate, value.date()->timeIntervalSinceReferenceDate()), true);
    case PropertyList::Kind::data: return addObject(encodeData(*value.data()), true);
    case PropertyList::Kind::uid: return addObject(encodeUid(*value.uid()), false);
    case PropertyList::Kind::array: {
        const PropertyListArray& array = *value.array();
        Data header;
        appendMarkerAndCount(header, markerArray, array.size());
        const std::size_t index = addObject(std::move(header), false);
        std::vector<std::size_t> references;
        references.reserve(array.size());
        for (const PropertyList& element : array) {
            references.push_back(flatten(element));
        }
        objects_[index].references = std::move(references);
        return index;
    }
    case PropertyList::Kind::dictionary: {
        const PropertyListDictionary& dictionary = *value.dictionary();
        Data header;
        appendMarkerAndCount(header, markerDictionary, dictionary.size());
        const std::size_t index = addObject(std::move(header), false);
        std::vector<std::size_t> references;
        references.reserve(2 * dictionary.size());
        for (const auto& entry : dictionary) {
            references.push_back(addObject(encodeString(entry.first), true));
        }
        for (const auto& entry : dictionary) {
            references.push_back(flatten(entry.second));
        }
        objects_[index].references = std::move(references);
        return index;
    }
    }
    return addObject(encodeString(std::string()), true);
}

Data BinaryPropertyListWriter::serialise() const {
    // Sizes are chosen to hold the object count and the offset table's own
    // offset, which is what readers check them against.
    const std::size_t referenceSize = byteWidthFor(objects_.size());
    Data out(magic.begin(), magic.end());
    std::vector<std::uint64_t> offsets;
    offsets.reserve(objects_.size());
    for (const Object& object : objects_) {
        offsets.push_back(out.size());
        out.insert(out.end(), object.encoded.begin(), object.encoded.end());
        for (const std::size_t reference : object.references) {
            appendBigEndian(out, reference, referenceSize);
        }
    }
    const std::uint64_t offsetTableOffset = out.size();
    const std::size_t offsetSize = byteWidthFor(offsetTableOffset);
    for (const std::uint64_t offset : offsets) {
        appendBigEndian(out, offset, offsetSize);
    }
    out.insert(out.end(), trailerOffsetIntSize, 0);
    out.push_back(static_cast<std::uint8_t>(offsetSize));
    out.push_back(static_cast<std::uint8_t>(referenceSize));
    appendBigEndian(out, objects_.size(), 8);
    appendBigEndian(out, 0, 8); // the root is flattened first
    appendBigEndian(out, offsetTableOffset, 8);
    return out;
}

} // namespace platform
