// Any bytes as a defaults file: what the defaults tool prints of it is
// bounded, whatever the nesting of data inside data.
#include "tools/defaults/PropertyListTextFormatter.h"

#include "platform/plist/BinaryPropertyList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const auto tree = platform::BinaryPropertyList::read(platform::Data(bytes, bytes + size));
    if (!tree) {
        return 0;
    }
    const std::string text = PropertyListTextFormatter::format(*tree);
    // The text grows beyond its limit by at most what one undecoded tree adds.
    if (text.size() > 64 * 1024 * 1024) {
        std::abort();
    }
    return 0;
}
