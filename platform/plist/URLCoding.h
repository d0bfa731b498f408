#pragma once

#include "platform/foundation/URL.h"
#include "platform/plist/PropertyListCodable.h"

#include <optional>
#include <utility>

namespace platform {

// Kept apart from the other codings so that stores without URLs do not
// compile URL.h: a record with a URL field includes this header.
// The platform's coding of URLs: {"relative": text} plus "base", a nested URL
// dictionary, only when there is a base URL.
template <>
struct PropertyListCodable<URL> {
    // Bases of bases are legal but rare; the limit keeps hostile trees from
    // building arbitrarily long chains.
    static constexpr int maximumBaseDepth = 16;

    static PropertyList encode(const URL& value) {
        PropertyListDictionary dictionary;
        dictionary.set("relative", value.relativeString());
        if (const URL* base = value.baseURL()) {
            dictionary.set("base", encode(*base));
        }
        return dictionary;
    }
    static bool decode(const PropertyList& node, URL& value, PropertyListCodingPath& path) {
        return decode(node, value, path, 0);
    }

private:
    static bool decode(const PropertyList& node, URL& value, PropertyListCodingPath& path, int depth) {
        const auto* dictionary = node.dictionary();
        if (dictionary == nullptr) {
            return path.failExpecting(PropertyList::Kind::dictionary, node);
        }
        std::optional<URL> base;
        if (const auto* baseNode = dictionary->find("base")) {
            auto scope = path.key("base");
            if (depth >= maximumBaseDepth) {
                return path.fail("too many nested base URLs");
            }
            base.emplace();
            if (!decode(*baseNode, *base, path, depth + 1)) {
                return false;
            }
        }
        auto scope = path.key("relative");
        const auto* relative = dictionary->find("relative");
        if (relative == nullptr) {
            return path.fail("missing key");
        }
        const auto* text = relative->string();
        if (text == nullptr) {
            return path.failExpecting(PropertyList::Kind::string, *relative);
        }
        auto url = base ? URL::fromString(*text, *base) : URL::fromString(*text);
        if (!url) {
            return path.fail("invalid URL \"" + *text + "\"");
        }
        value = std::move(*url);
        return true;
    }
};

} // namespace platform
