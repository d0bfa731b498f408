#include "Folderdock/DesktopEntry.h"

#include <cstdlib>
#include <fstream>

namespace Folderdock {

namespace {

constexpr std::string_view groupHeader = "[Desktop Entry]";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// \s, \n, \t, \r and \\ in a string value; any other backslash stays.
std::string unescaped(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[i + 1]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default: out += value[i]; continue;
        }
        ++i;
    }
    return out;
}

} // namespace

DesktopEntry DesktopEntry::parse(std::string_view text) {
    DesktopEntry entry;
    bool inGroup = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        line = trimmed(line);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inGroup = line == groupHeader;
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos) {
            continue;
        }
        entry.values_.emplace(std::string(trimmed(line.substr(0, equals))),
                              unescaped(trimmed(line.substr(equals + 1))));
    }
    return entry;
}

std::optional<DesktopEntry> DesktopEntry::read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::string text(readLimit, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    return parse(text);
}

std::string DesktopEntry::messagesLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(variable); value && value[0] != '\0') {
            return value;
        }
    }
    return {};
}

std::vector<std::string> DesktopEntry::localizedKeys(std::string_view key, std::string_view locale) {
    const auto at = locale.find('@');
    const std::string_view modifier = at == std::string_view::npos ? std::string_view{} : locale.substr(at + 1);
    locale = locale.substr(0, at);
    locale = locale.substr(0, locale.find('.'));
    const auto underscore = locale.find('_');
    const std::string_view language = locale.substr(0, underscore);
    const std::string_view country =
        underscore == std::string_view::npos ? std::string_view{} : locale.substr(underscore + 1);

    std::vector<std::string> keys;
    const auto add = [&](std::string_view suffix) { keys.push_back(std::string(key) + "[" + std::string(suffix) + "]"); };
    // The C locale has no translations of its own.
    if (!language.empty() && language != "C" && language != "POSIX") {
        const std::string territorial = std::string(language) + "_" + std::string(country);
        if (!country.empty() && !modifier.empty()) {
            add(territorial + "@" + std::string(modifier));
        }
        if (!country.empty()) {
            add(territorial);
        }
        if (!modifier.empty()) {
            add(std::string(language) + "@" + std::string(modifier));
        }
        add(language);
    }
    keys.emplace_back(key);
    return keys;
}

std::optional<std::string> DesktopEntry::name(std::string_view locale) const {
    for (const auto& key : localizedKeys("Name", locale)) {
        if (auto found = values_.find(key); found != values_.end()) {
            return found->second;
        }
    }
    return std::nullopt;
}

bool DesktopEntry::isTrue(const std::string& key) const {
    auto found = values_.find(key);
    return found != values_.end() && found->second == "true";
}

bool DesktopEntry::isShown() const { return !isTrue("NoDisplay") && !isTrue("Hidden"); }

} // namespace Folderdock
