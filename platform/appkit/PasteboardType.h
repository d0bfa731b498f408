#pragma once

#include <string>

namespace platform {

// Pasteboard types are uniform type identifiers.
using PasteboardTypeName = std::string;

struct PasteboardType {
    static inline const PasteboardTypeName URL = "public.url";
    static inline const PasteboardTypeName fileURL = "public.file-url";
    // The title a browser gives a dragged link.
    static inline const PasteboardTypeName URLName = "public.url-name";
    static inline const PasteboardTypeName string = "public.utf8-plain-text";
};

} // namespace platform
