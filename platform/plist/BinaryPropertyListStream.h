#pragma once

#include "platform/foundation/Data.h"
#include "platform/plist/PropertyList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace platform {

// Writes a binary property list object by object, each container after what
// it holds, with no tree in between: for values so large (a store of many
// records) that their tree would take several times their own memory and
// most of the time of writing them.
//
// Objects are shared less than BinaryPropertyListWriter shares them: a
// string equal to one of the last few strings written (a map's key and the
// name field of its record) and a field name written before (by the same
// characters in memory, as records' field names are) are one object; other
// equal values are written once each. Readers take either the same way.
class BinaryPropertyListStream {
public:
    using Reference = std::uint32_t;

    // Strings passed here must outlive the stream (they are compared with
    // later ones without being copied).
    Reference string(std::string_view text);
    // A field name of static storage.
    Reference fieldName(std::string_view name);
    Reference real(double value);
    Reference boolean(bool value);
    // A subtree, written as it is.
    Reference tree(const PropertyList& value);
    Reference array(const Reference* elements, std::size_t count);
    Reference dictionary(const Reference* keys, const Reference* values, std::size_t count);

    // The whole property list, `root` at its top.
    Data finish(Reference root) const;

private:
    // Where an object's bytes start, and how many references follow them
    // (a container's, which are appended to references_ as it is made).
    struct Object {
        std::size_t start;
        std::size_t referenceCount;
    };
    struct Recent {
        std::string_view text;
        Reference object;
    };

    // Starts an object at the end of the bytes written, with room for
    // `bound` bytes, and hands back where to write them; end() closes it.
    std::uint8_t* begin(std::size_t bound);
    Reference end(std::uint8_t* written, std::size_t referenceCount = 0);
    Reference unsharedString(std::string_view text);

    std::vector<std::uint8_t> bytes_;
    std::vector<Object> objects_;
    std::vector<Reference> references_;
    std::array<Recent, 4> recent_{};
    std::size_t nextRecent_ = 0;
    std::vector<Recent> fieldNames_;
};

} // namespace platform
