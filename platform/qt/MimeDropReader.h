#pragma once

#include "platform/appkit/Pasteboard.h"

#include <optional>
#include <string>

class QMimeData;

namespace platform {

// What a drag from another program carries, in the platform's pasteboard
// types: a file manager's file (file URL and URL), a browser's link with
// its title, or a link dragged as plain text. Browsers offer the title in
// _NETSCAPE_URL ("url\ntitle"); Qt on X11 gives their text/x-moz-url only as
// a URI list, so the link text of the HTML they offer is the fallback.
class MimeDropReader {
public:
    // Nothing for a drag without a URL.
    static std::optional<Pasteboard> read(const QMimeData& data);
    // The text of the first link in an HTML fragment, tags removed and
    // entities decoded; empty when there is none.
    static std::string linkText(const std::string& html);
};

} // namespace platform
