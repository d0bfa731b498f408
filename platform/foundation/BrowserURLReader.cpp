#include "platform/foundation/BrowserURLReader.h"

#include "platform/foundation/AsciiCase.h"
#include "platform/foundation/PercentEncoding.h"

#include <unicode/uidna.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace platform {

namespace {

constexpr std::array<std::string_view, 6> specialSchemes{"ftp", "file", "http", "https", "ws", "wss"};

bool isAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Without the leading and trailing C0 controls and spaces, and without any
// tab or line break: what a browser strips before it parses.
std::string stripped(std::string_view text) {
    const auto isSpaceOrControl = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && isSpaceOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpaceOrControl(text.back())) {
        text.remove_suffix(1);
    }
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return c != '\t' && c != '\n' && c != '\r'; });
    return kept;
}

// The scheme's length, when the text starts with one followed by ":".
std::optional<std::size_t> schemeLength(std::string_view text) {
    if (text.empty() || !isAsciiAlpha(text.front())) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ':') {
            return i;
        }
        if (!isAsciiAlpha(c) && !isAsciiDigit(c) && c != '+' && c != '-' && c != '.') {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Keeps what URL text may hold in this part (and escapes already made);
// escapes everything else.
std::string escaped(std::string_view text, std::string_view allowedPunctuation) {
    std::string out;
    out.reserve(text.size());
    std::size_t run = 0;
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        if (text[i] == '%' && PercentEncoding::isHexDigit(text[i + 1]) && PercentEncoding::isHexDigit(text[i + 2])) {
            out += PercentEncoding::encode(text.substr(run, i - run), allowedPunctuation);
            out += text.substr(i, 3);
            run = i + 3;
            i += 2;
        }
    }
    out += PercentEncoding::encode(text.substr(run), allowedPunctuation);
    return out;
}

constexpr std::string_view pathPunctuation = "!$&'()*+,;=:@/";
constexpr std::string_view queryPunctuation = "!$&'()*+,;=:@/?";
constexpr std::string_view userinfoPunctuation = "!$&'()*+,;=:";

struct Idna {
    Idna() {
        UErrorCode status = U_ZERO_ERROR;
        idna.reset(uidna_openUTS46(UIDNA_CHECK_BIDI | UIDNA_CHECK_CONTEXTJ | UIDNA_NONTRANSITIONAL_TO_ASCII |
                                       UIDNA_NONTRANSITIONAL_TO_UNICODE,
                                   &status));
        if (U_FAILURE(status)) {
            idna.reset();
        }
    }
    struct Close {
        void operator()(UIDNA* opened) const { uidna_close(opened); }
    };
    std::unique_ptr<UIDNA, Close> idna;

    static const Idna& shared() {
        static const Idna instance;
        return instance;
    }
};

// Browsers check neither hyphens nor lengths (CheckHyphens and
// VerifyDnsLength are off for URLs).
constexpr std::uint32_t ignoredIdnaErrors = UIDNA_ERROR_EMPTY_LABEL | UIDNA_ERROR_LABEL_TOO_LONG |
                                            UIDNA_ERROR_DOMAIN_NAME_TOO_LONG | UIDNA_ERROR_LEADING_HYPHEN |
                                            UIDNA_ERROR_TRAILING_HYPHEN | UIDNA_ERROR_HYPHEN_3_4;

enum class Direction { toAscii, toUnicode };

std::optional<std::string> mapHost(std::string_view host, Direction direction) {
    const UIDNA* idna = Idna::shared().idna.get();
    if (!idna || host.size() > 4096) {
        return std::nullopt;
    }
    std::string out(host.size() * 4 + 64, '\0');
    UErrorCode status = U_ZERO_ERROR;
    UIDNAInfo info = UIDNA_INFO_INITIALIZER;
    const auto convert = direction == Direction::toAscii ? uidna_nameToASCII_UTF8 : uidna_nameToUnicodeUTF8;
    const int32_t length = convert(idna, host.data(), static_cast<int32_t>(host.size()), out.data(),
                                   static_cast<int32_t>(out.size()), &info, &status);
    if (U_FAILURE(status) || (info.errors & ~ignoredIdnaErrors) != 0) {
        return std::nullopt;
    }
    out.resize(static_cast<std::size_t>(length));
    return out;
}

bool holdsForbiddenHostCharacter(std::string_view host) {
    return std::any_of(host.begin(), host.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F || std::string_view("#%/:<>?@[\\]^|").find(c) != std::string_view::npos;
    });
}

struct Authority {
    std::string text;
    std::string refusal;
};

// "user@host:port": a web link's host goes through IDNA; another scheme's
// host is opaque, kept as it is written, only escaped.
Authority readAuthority(std::string_view authority, bool special, bool hostRequired) {
    std::string userinfo;
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        userinfo = escaped(authority.substr(0, at), userinfoPunctuation) + "@";
        authority.remove_prefix(at + 1);
    }
    std::string_view host = authority;
    std::string_view port;
    if (host.starts_with('[')) {
        const auto close = host.find(']');
        if (close == std::string_view::npos) {
            return {{}, "the address in [] is not closed"};
        }
        port = host.substr(close + 1);
        host = host.substr(0, close + 1);
    } else if (const auto colon = host.rfind(':'); colon != std::string_view::npos) {
        port = host.substr(colon);
        host = host.substr(0, colon);
    }
    if (!port.empty()) {
        if (port.front() != ':' || !std::all_of(port.begin() + 1, port.end(), isAsciiDigit) || port.size() > 6) {
            return {{}, "the port " + std::string(port) + " is not a number"};
        }
    }
    std::string mapped;
    if (host.starts_with('[')) {
        mapped = asciiLowercased(host);
    } else if (!special) {
        mapped = escaped(host, "!$&'()*+,;=");
    } else if (!host.empty()) {
        const auto decoded = PercentEncoding::decode(host);
        const auto ascii = decoded ? mapHost(*decoded, Direction::toAscii) : std::nullopt;
        // A host kept must read back as itself: an encoded label with
        // punctuation such as "+" in it would not.
        if (!ascii || ascii->empty() || holdsForbiddenHostCharacter(*ascii) ||
            mapHost(*ascii, Direction::toAscii) != ascii) {
            return {{}, "the host " + std::string(host) + " is not a valid domain name"};
        }
        mapped = *ascii;
    } else if (hostRequired) {
        return {{}, "the link has no host"};
    }
    return {userinfo + mapped + std::string(port), {}};
}

} // namespace

BrowserURLReader::Result BrowserURLReader::read(std::string_view input) {
    const std::string text = stripped(input);
    const auto length = schemeLength(text);
    if (!length) {
        return {std::nullopt, "the text has no scheme (such as https:)"};
    }
    const std::string scheme = asciiLowercased(std::string_view(text).substr(0, *length));
    std::string rest = text.substr(*length + 1);
    const bool special = std::find(specialSchemes.begin(), specialSchemes.end(), scheme) != specialSchemes.end();
    if (special) {
        // "\" is a "/" before the query: the authority and path separators.
        const auto queryOrFragment = rest.find_first_of("?#");
        std::replace(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(std::min(queryOrFragment, rest.size())),
                     '\\', '/');
    }

    std::string out = scheme + ":";
    std::string_view remaining = rest;
    // Web links other than files need a host; a file link's may be empty.
    const bool webHost = special && scheme != "file";
    if (webHost || remaining.starts_with("//")) {
        // Web links may have any number of slashes before the host; a file
        // link and other schemes have two.
        if (webHost) {
            while (remaining.starts_with('/')) {
                remaining.remove_prefix(1);
            }
        } else {
            remaining.remove_prefix(2);
        }
        const auto end = remaining.find_first_of("/?#");
        const Authority authority =
            readAuthority(remaining.substr(0, std::min(end, remaining.size())), special, webHost);
        if (!authority.refusal.empty()) {
            return {std::nullopt, authority.refusal};
        }
        out += "//" + authority.text;
        remaining.remove_prefix(std::min(end, remaining.size()));
    }

    const auto fragmentStart = remaining.find('#');
    std::string_view beforeFragment = remaining.substr(0, std::min(fragmentStart, remaining.size()));
    const auto queryStart = beforeFragment.find('?');
    std::string path(escaped(beforeFragment.substr(0, std::min(queryStart, beforeFragment.size())), pathPunctuation));
    if (special && path.empty()) {
        path = "/";
    }
    out += path;
    if (queryStart != std::string_view::npos) {
        out += "?" + escaped(beforeFragment.substr(queryStart + 1), queryPunctuation);
    }
    if (fragmentStart != std::string_view::npos) {
        out += "#" + escaped(remaining.substr(fragmentStart + 1), queryPunctuation);
    }
    auto url = URL::fromString(out);
    if (!url) {
        return {std::nullopt, "the link " + out + " cannot be read"};
    }
    return {std::move(url), {}};
}

std::string BrowserURLReader::hostForPeople(std::string_view asciiHost) {
    // Label by label, and only the encoded ones: the others keep their case.
    std::string shown;
    std::size_t start = 0;
    while (start <= asciiHost.size()) {
        const auto dot = std::min(asciiHost.find('.', start), asciiHost.size());
        const std::string_view label = asciiHost.substr(start, dot - start);
        const bool encoded = label.size() > 4 && asciiLowercased(label.substr(0, 4)) == "xn--";
        shown += encoded ? mapHost(label, Direction::toUnicode).value_or(std::string(label)) : std::string(label);
        if (dot == asciiHost.size()) {
            break;
        }
        shown += '.';
        start = dot + 1;
    }
    return shown;
}

} // namespace platform
