#include "Folderdock/DesktopEntry.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

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

// The non-empty items of a list with that separator ("GNOME;KDE;").
std::vector<std::string> splitList(std::string_view text, char separator) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const auto end = text.find(separator);
        if (end != 0) {
            items.emplace_back(text.substr(0, end));
        }
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return items;
}

// The program an Exec line starts: its first word, which may be quoted.
std::string commandProgram(std::string_view exec) {
    exec = trimmed(exec);
    if (!exec.starts_with('"')) {
        return std::string(exec.substr(0, exec.find_first_of(" \t")));
    }
    std::string program;
    for (std::size_t index = 1; index < exec.size() && exec[index] != '"'; ++index) {
        if (exec[index] == '\\' && index + 1 < exec.size()) {
            ++index;
        }
        program += exec[index];
    }
    return program;
}

bool isExecutableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// A path, or a name looked for along PATH, as the desktop would start it.
bool programIsThere(const std::string& program) {
    if (program.empty()) {
        return false;
    }
    if (program.find('/') != std::string::npos) {
        return isExecutableFile(program);
    }
    const char* path = std::getenv("PATH");
    for (const auto& folder : splitList(path ? path : "/usr/local/bin:/usr/bin:/bin", ':')) {
        if (isExecutableFile(folder + "/" + program)) {
            return true;
        }
    }
    return false;
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
    // In pieces, so that a small entry costs a small buffer.
    std::string text;
    char piece[16 * 1024];
    while (text.size() < readLimit && file) {
        file.read(piece, static_cast<std::streamsize>(std::min(sizeof piece, readLimit - text.size())));
        text.append(piece, static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad()) {
        return std::nullopt;
    }
    return parse(text);
}

std::vector<std::string> DesktopEntry::currentDesktops() {
    const char* value = std::getenv("XDG_CURRENT_DESKTOP");
    return splitList(value ? value : "", ':');
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

const std::string* DesktopEntry::value(const std::string& key) const {
    auto found = values_.find(key);
    return found == values_.end() ? nullptr : &found->second;
}

bool DesktopEntry::isTrue(const std::string& key) const {
    const std::string* found = value(key);
    return found && *found == "true";
}

bool DesktopEntry::isMeantFor(const std::vector<std::string>& desktops) const {
    const auto names = [](const std::string* list) { return splitList(list ? *list : "", ';'); };
    const auto contains = [&](const std::vector<std::string>& list) {
        return std::any_of(desktops.begin(), desktops.end(), [&](const std::string& desktop) {
            return std::find(list.begin(), list.end(), desktop) != list.end();
        });
    };
    if (const std::string* only = value("OnlyShowIn"); only && !contains(names(only))) {
        return false;
    }
    return !contains(names(value("NotShowIn")));
}

bool DesktopEntry::isShown(const std::vector<std::string>& desktops) const {
    const std::string* type = value("Type");
    if (!type || *type != "Application" || isTrue("NoDisplay") || isTrue("Hidden") || !isMeantFor(desktops)) {
        return false;
    }
    if (const std::string* tryExec = value("TryExec"); tryExec && !programIsThere(*tryExec)) {
        return false;
    }
    // An application the session bus starts needs no command of its own.
    const std::string* exec = value("Exec");
    if (!exec) {
        return isTrue("DBusActivatable");
    }
    return programIsThere(commandProgram(*exec));
}

} // namespace Folderdock
