#pragma once

#include "platform/appkit/PasteboardType.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

class URL;

// The data of one drag or copy: a string per type, in the order the source
// declared them.
class Pasteboard {
public:
    Pasteboard() = default;

    void setString(const std::string& value, const PasteboardTypeName& type);

    // The declared types; absent when nothing was declared.
    std::optional<std::vector<PasteboardTypeName>> types() const;
    std::optional<std::string> string(const PasteboardTypeName& type) const;
    // Whether the source declared `type`.
    bool declares(const PasteboardTypeName& type) const;

    // The drags the platform's sources make.
    static Pasteboard forLink(const std::string& urlText, const std::optional<std::string>& title = std::nullopt);
    static Pasteboard forFile(const URL& fileURL);
    static Pasteboard forText(const std::string& text);

private:
    std::vector<std::pair<PasteboardTypeName, std::string>> entries_;
};

// The URL a pasteboard carries: its "public.url" text, or else its
// "public.file-url" text, read as a browser reads it (BrowserURLReader:
// "https://bücher.example/a b" is kept as "https://xn--bcher-kva.example/a%20b");
// none when neither is there or the text is no link a browser would open,
// which the diagnostics then say with the reason.
std::optional<URL> URLFromPasteboard(const Pasteboard& pasteboard);

// Whether the pasteboard's URL is a script or inline document ("javascript:",
// "vbscript:", "data:"): no application opens such a link for the user, and a
// file that keeps it may run it, so windows refuse drags that carry one.
bool carriesScriptLink(const Pasteboard& pasteboard);

} // namespace platform
