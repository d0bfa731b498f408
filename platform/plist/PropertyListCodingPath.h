#pragma once

#include "platform/plist/PropertyList.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Where a decoder is in the tree, so that a failure can say where it happened:
// "newLinks[2].title: expected string, found integer". Keys and indexes are
// entered through scopes that leave again when they go out of scope.
class PropertyListCodingPath {
public:
    class [[nodiscard]] Scope {
    public:
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        ~Scope() { path_.leave(); }

    private:
        friend class PropertyListCodingPath;
        explicit Scope(PropertyListCodingPath& path) : path_(path) {}
        PropertyListCodingPath& path_;
    };

    Scope key(std::string_view name);
    Scope index(std::size_t position);

    // The current path: "newLinks[2].title", or empty at the top level.
    const std::string& text() const { return text_; }

    // Records the first failure, prefixed by the current path. Always returns
    // false, so that a decoder can `return path.fail(...)`.
    bool fail(std::string_view message);
    bool failExpecting(PropertyList::Kind expected, const PropertyList& found);
    const std::string& error() const { return error_; }

private:
    void leave();

    std::string text_;
    std::vector<std::size_t> marks_;
    std::string error_;
};

} // namespace platform
