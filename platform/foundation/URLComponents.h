#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The five components of one URL text (RFC 3986 section 3), still
// percent-encoded: scheme ":" "//" authority path "?" query "#" fragment.
// An absent component differs from an empty one: "http://a?" has an empty
// query, "http://a" none.
struct URLComponents {
    std::optional<std::string> scheme;
    std::optional<std::string> authority;
    std::string path;
    std::optional<std::string> query;
    std::optional<std::string> fragment;

    // Splits and validates `text` (see URL for the rules); no value when the
    // text is not a URL or relative reference.
    static std::optional<URLComponents> parse(std::string_view text);

    // The text these components stand for; parse(text()) gives them back.
    std::string text() const;

    // This reference resolved against `base` (RFC 3986 section 5.2). A
    // reference with a scheme of its own is taken as it is, dot segments
    // included, as the platform's URL does.
    URLComponents resolvedAgainst(const URLComponents& base) const;

    // From the authority: the host without brackets or user information,
    // percent-decoded; absent when there is no authority or its host is empty.
    std::optional<std::string> host() const;
    // The port digits as a number; absent when none are given or they do not
    // fit in an int.
    std::optional<int> port() const;

    bool operator==(const URLComponents&) const = default;
};

} // namespace platform
