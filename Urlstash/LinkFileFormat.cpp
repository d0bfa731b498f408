#include "Urlstash/LinkFileFormat.h"

#include "platform/plist/Utf16.h"
#include "platform/time/DateFormatter.h"

#include <vector>

namespace Urlstash {

namespace {

// The UTF-8 forms of U+2028 LINE SEPARATOR and U+2029 PARAGRAPH SEPARATOR.
constexpr std::string_view lineSeparator = "\xE2\x80\xA8";
constexpr std::string_view paragraphSeparator = "\xE2\x80\xA9";

std::string wellFormed(std::string_view text) {
    // Decoding replaces each ill-formed sequence; the UTF-16 it yields has no
    // unpaired surrogates, so encoding it again cannot fail.
    return platform::utf8FromUtf16(platform::utf16FromUtf8(text)).value_or(std::string());
}

} // namespace

std::string LinkFileFormat::dateHeading(platform::Date date) {
    platform::DateFormatter formatter;
    formatter.dateStyle = platform::DateFormatter::Style::fullStyle;
    formatter.timeStyle = platform::DateFormatter::Style::noStyle;
    return "\n" + formatter.string(date) + "\n\n";
}

std::string LinkFileFormat::linkLine(const platform::URL& url, const std::optional<std::string>& title) {
    const std::string name = title ? *title : url.host().value_or("");
    return "- [" + linkText(name) + "](" + linkDestination(url) + ") \n";
}

std::string LinkFileFormat::linkDestination(const platform::URL& url) {
    const std::string text = url.absoluteString();
    // Which parentheses pair up: those stay as written, as in Ruby_(language).
    std::vector<bool> paired(text.size(), false);
    std::vector<std::size_t> open;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (text[index] == '(') {
            open.push_back(index);
        } else if (text[index] == ')' && !open.empty()) {
            paired[open.back()] = paired[index] = true;
            open.pop_back();
        }
    }
    std::string destination;
    destination.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        const auto c = static_cast<unsigned char>(text[index]);
        const bool unpaired = (c == '(' || c == ')') && !paired[index];
        if (unpaired || c <= 0x20 || c == 0x7F || c == '<' || c == '>' || c == '\\') {
            constexpr char digits[] = "0123456789ABCDEF";
            destination += '%';
            destination += digits[c >> 4];
            destination += digits[c & 0xF];
        } else {
            destination += static_cast<char>(c);
        }
    }
    return destination;
}

std::string LinkFileFormat::linkText(std::string_view name) {
    const std::string text = wellFormed(name);
    const std::string_view rest(text);
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t index = 0; index < rest.size(); ++index) {
        const char c = rest[index];
        if (c == '\r') {
            if (index + 1 < rest.size() && rest[index + 1] == '\n') {
                ++index;
            }
            escaped += ' ';
        } else if (c == '\n') {
            escaped += ' ';
        } else if (rest.substr(index).starts_with(lineSeparator) || rest.substr(index).starts_with(paragraphSeparator)) {
            index += lineSeparator.size() - 1;
            escaped += ' ';
        } else if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == '\x7F') {
            // Other control characters (NUL, BEL, ESC, vertical tabs, form
            // feeds) would make the file something other than plain text.
            escaped += ' ';
        } else {
            if (c == '\\' || c == '[' || c == ']') {
                escaped += '\\';
            }
            escaped += c;
        }
    }
    return escaped;
}

} // namespace Urlstash
