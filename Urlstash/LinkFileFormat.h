#pragma once

#include "platform/foundation/Date.h"
#include "platform/foundation/URL.h"

#include <optional>
#include <string>
#include <string_view>

namespace Urlstash {

// The two kinds of block the link file is made of, as UTF-8 text.
class LinkFileFormat {
public:
    // LF, the date in the user's locale and time zone in the full date style
    // ("Sunday, December 6, 2026"), LF, LF.
    static std::string dateHeading(platform::Date date);

    // "- [name](url) " and LF. The name is the title (even an empty one),
    // else the URL's host, else empty; the URL is its link destination.
    static std::string linkLine(const platform::URL& url, const std::optional<std::string>& title);

    // The URL's absolute string as a Markdown link destination that ends
    // where the URL does: parentheses that are not part of a balanced pair,
    // spaces, angle brackets, backslashes and control characters are
    // percent-encoded, which leaves the link the same to a browser.
    static std::string linkDestination(const platform::URL& url);

    // The name as Markdown link text that stays on its one line and renders
    // as written: every line break (CR, LF, CR LF, U+2028, U+2029) becomes
    // one space; backslashes and square brackets get a backslash before them.
    // Ill-formed UTF-8 becomes U+FFFD, so the file stays valid UTF-8.
    static std::string linkText(std::string_view name);
};

} // namespace Urlstash
