#include "platform/plist/BinaryPropertyList.h"

#include "platform/plist/BinaryPropertyListFormat.h"
#include "platform/plist/BinaryPropertyListReader.h"
#include "platform/plist/BinaryPropertyListWriter.h"

#include <algorithm>

namespace platform {

Data BinaryPropertyList::write(const PropertyList& root) { return BinaryPropertyListWriter::write(root); }

std::optional<PropertyList> BinaryPropertyList::read(const Data& data, std::string* error) {
    return read(data.data(), data.size(), error);
}

std::optional<PropertyList> BinaryPropertyList::read(const std::uint8_t* bytes, std::size_t size, std::string* error) {
    return BinaryPropertyListReader(bytes, size).read(error);
}

bool BinaryPropertyList::looksLikeBinaryPropertyList(const Data& data) {
    const std::string_view magic = binaryPropertyListFormat::magic;
    return data.size() >= magic.size() && std::equal(magic.begin(), magic.end(), data.begin());
}

} // namespace platform
