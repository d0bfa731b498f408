#pragma once

#include <optional>
#include <string>

namespace platform {

// What a start of a program asks of the copy already running on the
// desktop: a link or a file dropped on its status item, or a URL of its
// own scheme opened. A first start carries it out itself once launched.
struct LaunchRequest {
    enum class Kind { dropURL, dropFile, openURL };

    Kind kind = Kind::dropURL;
    // The URL, or the file's path.
    std::string target;
    // A dropped link's title.
    std::optional<std::string> title;

    // One line per field, as it travels between the two processes.
    std::string encoded() const;
    // Nothing for text that no request was encoded to.
    static std::optional<LaunchRequest> decode(const std::string& text);

    bool operator==(const LaunchRequest&) const = default;
};

} // namespace platform
