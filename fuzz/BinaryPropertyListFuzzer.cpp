// Any bytes: the reader either refuses them with a reason or gives a tree that
// the writer, and the stream, write and the reader reads back as the same tree.
#include "platform/plist/BinaryPropertyList.h"
#include "platform/plist/BinaryPropertyListStream.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// NaN is never equal to itself; such trees are compared by their bytes instead.
bool holdsNaN(const platform::PropertyList& value) {
    if (const double* real = value.real()) {
        return std::isnan(*real);
    }
    if (const auto* date = value.date()) {
        return std::isnan(date->timeIntervalSince1970);
    }
    if (const auto* array = value.array()) {
        for (const auto& item : *array) {
            if (holdsNaN(item)) {
                return true;
            }
        }
    }
    if (const auto* dictionary = value.dictionary()) {
        for (const auto& [key, item] : *dictionary) {
            if (holdsNaN(item)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const platform::Data input(bytes, bytes + size);
    std::string error;
    const auto tree = platform::BinaryPropertyList::read(input, &error);
    if (!tree) {
        if (error.empty()) {
            std::abort(); // a refusal always says why
        }
        return 0;
    }
    const platform::Data written = platform::BinaryPropertyList::write(*tree);
    const auto reread = platform::BinaryPropertyList::read(written);
    if (!reread) {
        std::abort();
    }
    if (holdsNaN(*tree) ? platform::BinaryPropertyList::write(*reread) != written : *reread != *tree) {
        std::abort();
    }
    platform::BinaryPropertyListStream stream;
    const auto root = stream.tree(*tree);
    const auto streamed = platform::BinaryPropertyList::read(stream.finish(root));
    if (!streamed || (holdsNaN(*tree) ? platform::BinaryPropertyList::write(*streamed) != written : *streamed != *tree)) {
        std::abort();
    }
    return 0;
}
