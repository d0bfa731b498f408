#include "platform/foundation/URLComponents.h"

#include "platform/foundation/PercentEncoding.h"

#include <charconv>

namespace platform {

namespace {

bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSubDelimiter(char c) { return std::string_view("!$&'()*+,;=").find(c) != std::string_view::npos; }

// True when every character is unreserved, a "%XX" escape, or one of `extra`.
bool consistsOf(std::string_view text, std::string_view extra) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() || !PercentEncoding::isHexDigit(text[i + 1]) ||
                !PercentEncoding::isHexDigit(text[i + 2])) {
                return false;
            }
            i += 2;
        } else if (!PercentEncoding::isUnreserved(c) && !isSubDelimiter(c) &&
                   extra.find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool isValidScheme(std::string_view scheme) {
    if (scheme.empty() || !isAlpha(scheme.front())) {
        return false;
    }
    for (char c : scheme) {
        if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

// The authority split into its host (brackets kept) and port text.
struct HostAndPort {
    std::string_view userInfo;
    bool hasUserInfo = false;
    std::string_view host;
    std::optional<std::string_view> port;
};

std::optional<HostAndPort> splitAuthority(std::string_view authority) {
    HostAndPort result;
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        result.userInfo = authority.substr(0, at);
        result.hasUserInfo = true;
        authority.remove_prefix(at + 1);
    }
    std::size_t hostEnd = 0;
    if (!authority.empty() && authority.front() == '[') {
        hostEnd = authority.find(']');
        if (hostEnd == std::string_view::npos) {
            return std::nullopt;
        }
        ++hostEnd;
    } else {
        hostEnd = std::min(authority.find(':'), authority.size());
    }
    result.host = authority.substr(0, hostEnd);
    const std::string_view rest = authority.substr(hostEnd);
    if (!rest.empty()) {
        if (rest.front() != ':') {
            return std::nullopt;
        }
        result.port = rest.substr(1);
    }
    return result;
}

bool isValidAuthority(std::string_view authority) {
    const auto parts = splitAuthority(authority);
    if (!parts || (parts->hasUserInfo && !consistsOf(parts->userInfo, ":"))) {
        return false;
    }
    if (parts->port) {
        for (char c : *parts->port) {
            if (!isDigit(c)) {
                return false;
            }
        }
    }
    const std::string_view host = parts->host;
    if (!host.empty() && host.front() == '[') {
        // IPv6 or a future IP literal: no escapes inside the brackets.
        const std::string_view literal = host.substr(1, host.size() - 2);
        return !literal.empty() && literal.find('%') == std::string_view::npos && consistsOf(literal, ":");
    }
    return consistsOf(host, "");
}

// RFC 3986 section 5.2.4.
std::string removeDotSegments(std::string_view input) {
    std::string output;
    while (!input.empty()) {
        if (input.starts_with("../")) {
            input.remove_prefix(3);
        } else if (input.starts_with("./")) {
            input.remove_prefix(2);
        } else if (input.starts_with("/./")) {
            input.remove_prefix(2);
        } else if (input == "/.") {
            input = "/";
        } else if (input.starts_with("/../") || input == "/..") {
            input = input.size() == 3 ? std::string_view("/") : input.substr(3);
            const auto lastSlash = output.rfind('/');
            output.erase(lastSlash == std::string::npos ? 0 : lastSlash);
        } else if (input == "." || input == "..") {
            input = {};
        } else {
            const auto next = input.find('/', input.front() == '/' ? 1 : 0);
            const auto segment = input.substr(0, next);
            output += segment;
            input.remove_prefix(segment.size());
        }
    }
    return output;
}

} // namespace

std::optional<URLComponents> URLComponents::parse(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    URLComponents result;
    std::string_view rest = text;

    if (const auto hash = rest.find('#'); hash != std::string_view::npos) {
        const std::string_view fragment = rest.substr(hash + 1);
        if (!consistsOf(fragment, ":@/?")) {
            return std::nullopt;
        }
        result.fragment = std::string(fragment);
        rest = rest.substr(0, hash);
    }
    if (const auto question = rest.find('?'); question != std::string_view::npos) {
        const std::string_view query = rest.substr(question + 1);
        if (!consistsOf(query, ":@/?")) {
            return std::nullopt;
        }
        result.query = std::string(query);
        rest = rest.substr(0, question);
    }
    // A ":" before the first "/" ends a scheme; a relative reference cannot
    // have one in its first segment, so an invalid scheme makes the text invalid.
    if (const auto colon = rest.find(':'); colon != std::string_view::npos && colon < rest.find('/')) {
        const std::string_view scheme = rest.substr(0, colon);
        if (!isValidScheme(scheme)) {
            return std::nullopt;
        }
        result.scheme = std::string(scheme);
        rest.remove_prefix(colon + 1);
    }
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const auto authorityEnd = std::min(rest.find('/'), rest.size());
        const std::string_view authority = rest.substr(0, authorityEnd);
        if (!isValidAuthority(authority)) {
            return std::nullopt;
        }
        result.authority = std::string(authority);
        rest.remove_prefix(authorityEnd);
    }
    if (!consistsOf(rest, ":@/")) {
        return std::nullopt;
    }
    result.path = std::string(rest);
    return result;
}

std::string URLComponents::text() const {
    std::string result;
    if (scheme) {
        result += *scheme + ":";
    }
    if (authority) {
        result += "//" + *authority;
    }
    result += path;
    if (query) {
        result += "?" + *query;
    }
    if (fragment) {
        result += "#" + *fragment;
    }
    return result;
}

URLComponents URLComponents::resolvedAgainst(const URLComponents& base) const {
    if (scheme) {
        return *this;
    }
    URLComponents target;
    target.scheme = base.scheme;
    target.fragment = fragment;
    if (authority) {
        target.authority = authority;
        target.path = removeDotSegments(path);
        target.query = query;
        return target;
    }
    target.authority = base.authority;
    if (path.empty()) {
        target.path = base.path;
        target.query = query ? query : base.query;
        return target;
    }
    if (path.front() == '/') {
        target.path = removeDotSegments(path);
    } else if (base.authority && base.path.empty()) {
        target.path = removeDotSegments("/" + path);
    } else {
        const auto lastSlash = base.path.rfind('/');
        const std::string merged =
            lastSlash == std::string::npos ? path : base.path.substr(0, lastSlash + 1) + path;
        target.path = removeDotSegments(merged);
    }
    target.query = query;
    return target;
}

std::optional<std::string> URLComponents::host() const {
    if (!authority) {
        return std::nullopt;
    }
    const auto parts = splitAuthority(*authority);
    if (!parts || parts->host.empty()) {
        return std::nullopt;
    }
    std::string_view host = parts->host;
    if (host.front() == '[') {
        host = host.substr(1, host.size() - 2);
    }
    return PercentEncoding::decode(host);
}

std::optional<int> URLComponents::port() const {
    if (!authority) {
        return std::nullopt;
    }
    const auto parts = splitAuthority(*authority);
    if (!parts || !parts->port || parts->port->empty()) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(parts->port->data(), parts->port->data() + parts->port->size(), value);
    if (error != std::errc() || end != parts->port->data() + parts->port->size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace platform
