#pragma once

#include "platform/foundation/URLComponents.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A URL as the platform's URL type keeps it: the text exactly as given
// (`relativeString`) plus an optional base URL it is resolved against.
//
// Parsing rules (RFC 3986 grammar, checked strictly the way the platform's
// URL(string:) does):
//  - the empty string is not a URL;
//  - only the RFC 3986 unreserved, reserved and "%" characters may appear
//    unescaped; spaces, control characters, non-ASCII bytes and any of
//    <>"{}|\^` make the text invalid;
//  - "%" must be followed by two hexadecimal digits;
//  - a scheme, when present, starts with a letter and continues with letters,
//    digits, "+", "-" or "."; text without a scheme is a relative reference
//    ("foo/bar", "/a/b", "//host/x", "?q", "#f") and is valid without a base;
//  - "[" and "]" are accepted only around an IP literal in the host, "@" only
//    once in the authority, "#" only once (it starts the fragment);
//  - a port, when present, is decimal digits only ("http://a:/" has no port);
//  - "http://" is valid: it has an authority with an empty host, which
//    `host()` reports as absent.
// Equality compares the relative text and the base, never resolved forms:
// "http://a/" and "http://a" differ, as do a relative URL and its absolute twin.
class URL {
public:
    // The empty URL (text ""), which no parse yields: a placeholder for records
    // that hold a URL, before they are filled in (as decoding does).
    URL() = default;

    static std::optional<URL> fromString(std::string_view text);
    // Relative to `base`, which the URL keeps even when its text has a scheme of
    // its own (it is then resolved without the base).
    static std::optional<URL> fromString(std::string_view text, const URL& base);
    // A "file:" URL for a path. A relative path gives a relative URL whose base
    // is the current directory's URL; the empty path stands for that directory.
    // A directory's URL ends with "/". Characters not allowed in a URL path
    // (spaces, non-ASCII, "%", "?", "#", ...) are percent-encoded.
    static URL fileURL(std::string_view path, bool isDirectory);
    // As above, asking the file system whether the path is a directory.
    static URL fileURL(std::string_view path);

    const std::string& relativeString() const { return text_; }
    const URL* baseURL() const { return base_.get(); }
    std::string absoluteString() const;
    // This URL resolved against its base, with no base of its own.
    URL absoluteURL() const;

    // The components of the resolved URL.
    std::optional<std::string> scheme() const;
    std::optional<std::string> host() const;
    std::optional<int> port() const;
    std::optional<std::string> query() const;
    std::optional<std::string> fragment() const;
    // Percent-decoded, without its trailing "/" unless it is "/" itself.
    std::string path() const;
    std::string lastPathComponent() const;
    // The text after the last "." of the last path component, empty when the
    // component has none or only a leading one (".profile").
    std::string pathExtension() const;

    URL deletingPathExtension() const;
    URL appendingPathComponent(std::string_view component, bool isDirectory = false) const;
    URL deletingLastPathComponent() const;

    bool hasDirectoryPath() const;
    bool isFileURL() const;

    bool operator==(const URL& other) const;
    bool operator!=(const URL& other) const { return !(*this == other); }
    bool operator<(const URL& other) const;

private:
    URL(std::string text, URLComponents components, std::shared_ptr<const URL> base);
    URLComponents resolvedComponents() const;
    // The same URL with its path changed by `change` (given the components
    // whose path it rewrites): this URL's own text when it has a path
    // (keeping its base), else its absolute form.
    URL withPath(const std::function<std::string(const URLComponents&)>& change) const;

    std::string text_;
    URLComponents components_;
    std::shared_ptr<const URL> base_;

    friend struct URLHash;
};

struct URLHash {
    std::size_t operator()(const URL& url) const;
};

} // namespace platform
