// Any text: a URL is either refused or parsed, and the text it gives parses
// again to a URL with the same text.
#include "platform/foundation/URL.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const auto url = platform::URL::fromString(text);
    if (!url) {
        return 0;
    }
    const auto again = platform::URL::fromString(url->absoluteString());
    if (!again || again->absoluteString() != url->absoluteString()) {
        std::abort();
    }
    (void)url->host();
    (void)url->path();
    (void)url->scheme();
    return 0;
}
