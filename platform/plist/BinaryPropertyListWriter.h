#pragma once

#include "platform/foundation/Data.h"
#include "platform/plist/PropertyList.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

// Lays a tree out as a binary property list. Objects are numbered in pre-order
// (a dictionary's keys before its values); equal strings, numbers, dates and
// data share one object, containers and UIDs never do.
class BinaryPropertyListWriter {
public:
    static Data write(const PropertyList& root);

private:
    struct Object {
        Data encoded; // the whole object, or a container's marker and count
        std::vector<std::size_t> references;
    };

    std::size_t flatten(const PropertyList& value);
    std::size_t addObject(Data encoded, bool shareable);
    Data serialise() const;

    std::vector<Object> objects_;
    std::unordered_map<std::string, std::size_t> sharedObjects_;
};

} // namespace platform
