// Any text: a URL is either refused or parsed, and the text it gives parses
// again to a URL with the same text. Read as a browser reads it, the text is
// a link or a refusal with a reason, and a link read again is the same link.
#include "platform/foundation/BrowserURLReader.h"
#include "platform/foundation/URL.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void checkBrowserReading(const std::string& text) {
    const auto read = platform::BrowserURLReader::read(text);
    if (!read.url) {
        if (read.refusal.empty()) {
            std::abort();
        }
        return;
    }
    const auto again = platform::BrowserURLReader::read(read.url->absoluteString());
    if (!again.url || again.url->absoluteString() != read.url->absoluteString()) {
        std::abort();
    }
    if (const auto host = read.url->host()) {
        (void)platform::BrowserURLReader::hostForPeople(*host);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    checkBrowserReading(text);
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
