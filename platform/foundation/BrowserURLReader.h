#pragma once

#include "platform/foundation/URL.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Reads link text as a browser's address bar does (the WHATWG URL rules), so
// that what a browser opens is kept rather than refused by URL's strict
// grammar: tabs and line breaks are dropped and surrounding spaces trimmed;
// a host is mapped through IDNA (UTS #46, as browsers configure it: no
// hyphen or length checks), so "bücher.example" becomes
// "xn--bcher-kva.example"; "\" separates the path of http(s), ftp, ws(s)
// and file links; every character that URL text may not hold unescaped
// (spaces, non-ASCII, <>"{}|^`, a lone "%", a second "#") is percent-encoded.
// Refused, with a reason, is only what a browser refuses too: no scheme, a
// web link without a host, a host that IDNA rejects or that holds a
// forbidden character, a port that is not a number.
class BrowserURLReader {
public:
    struct Result {
        std::optional<URL> url;
        // Why there is no URL.
        std::string refusal;
    };

    static Result read(std::string_view text);

    // A host as people read it: IDNA labels ("xn--…") in their own script.
    // A host that does not decode is returned as it is.
    static std::string hostForPeople(std::string_view asciiHost);
};

} // namespace platform
