#pragma once

#include "platform/foundation/Data.h"
#include "platform/foundation/URL.h"
#include "platform/plist/PropertyList.h"

#include <optional>

namespace platform {

// A URL as the platform's keyed archiver writes it (the data value that the
// user defaults' URL setter stores): a binary property list with
//   $archiver "NSKeyedArchiver", $version 100000, $top {root: UID(1)},
//   $objects ["$null", {NS.base: UID, NS.relative: UID, $class: UID}, text,
//             {$classname: "NSURL", $classes: ["NSURL", "NSObject"]}]
// where NS.base is UID(0) ("$null") for a URL without a base, or refers to
// a nested URL object of the same form.
class URLArchive {
public:
    static Data archive(const URL& url);
    static PropertyList archiveTree(const URL& url);

    // Anything that is not such an archive (another class, references out of
    // range, a base chain without end) gives nothing.
    static std::optional<URL> unarchive(const Data& data);
    static std::optional<URL> unarchive(const PropertyList& tree);
};

} // namespace platform
