#include "platform/qt/DesktopEntryIndex.h"

#include "platform/foundation/AsciiCase.h"
#include "platform/foundation/Environment.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <string_view>
#include <unistd.h>

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The words of an Exec line, with its double quotes and backslash escapes undone.
std::vector<std::string> execWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '\\' && i + 1 < line.size()) {
            word += line[++i];
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

// The program an Exec line runs, past an `env VAR=value` prefix.
std::string execProgram(std::string_view line) {
    auto words = execWords(line);
    std::size_t first = 0;
    if (!words.empty() && fs::path(words[0]).filename() == "env") {
        first = 1;
        while (first < words.size() && words[first].find('=') != std::string::npos) {
            ++first;
        }
    }
    return first < words.size() ? words[first] : std::string();
}

std::optional<fs::path> resolvedProgram(const std::string& program) {
    std::error_code error;
    if (program.empty()) {
        return std::nullopt;
    }
    if (program.find('/') != std::string::npos) {
        auto path = fs::canonical(program, error);
        return error ? std::nullopt : std::optional<fs::path>(path);
    }
    const std::string searchPath = environmentValue("PATH");
    std::string_view rest = searchPath;
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        if (folder.empty()) {
            continue;
        }
        const fs::path candidate = fs::path(folder) / program;
        if (fs::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0) {
            auto path = fs::canonical(candidate, error);
            if (!error) {
                return path;
            }
        }
    }
    return std::nullopt;
}

// The desktop file id of an entry below one of the folders: its path there,
// folders joined by '-', without ".desktop".
std::string desktopFileId(const fs::path& relative) {
    std::string id = relative.string();
    std::replace(id.begin(), id.end(), '/', '-');
    return id.substr(0, id.size() - std::string_view(".desktop").size());
}

} // namespace

DesktopEntryIndex::DesktopEntryIndex(std::vector<fs::path> folders, std::string locale)
    : folders_(std::move(folders)), locale_(std::move(locale)) {}

std::vector<fs::path> DesktopEntryIndex::sessionFolders() {
    std::vector<fs::path> folders;
    std::string dataHome = environmentValue("XDG_DATA_HOME");
    if (dataHome.empty() && !environmentValue("HOME").empty()) {
        dataHome = environmentValue("HOME") + "/.local/share";
    }
    if (!dataHome.empty()) {
        folders.push_back(fs::path(dataHome) / "applications");
    }
    std::string dataDirs = environmentValue("XDG_DATA_DIRS");
    if (dataDirs.empty()) {
        dataDirs = "/usr/local/share:/usr/share";
    }
    std::string_view rest = dataDirs;
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        if (const auto folder = rest.substr(0, colon); !folder.empty()) {
            folders.push_back(fs::path(folder) / "applications");
        }
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    }
    return folders;
}

std::string DesktopEntryIndex::messagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = environmentValue(name);
        if (value.empty()) {
            continue;
        }
        value = value.substr(0, value.find_first_of(".@"));
        return value == "C" || value == "POSIX" ? std::string() : value;
    }
    return {};
}

std::optional<DesktopEntryIndex::Entry> DesktopEntryIndex::entryFor(const fs::path& executable) {
    refreshIfChanged();
    const auto found = byExecutable_.find(executable);
    return found == byExecutable_.end() ? std::nullopt : std::optional<Entry>(found->second);
}

bool DesktopEntryIndex::namesWebBrowser(const std::string& name) {
    refreshIfChanged();
    return webBrowserNames_.contains(name);
}

std::optional<DesktopEntryIndex::Entry> DesktopEntryIndex::entryForApplicationId(const std::string& id) {
    if (id.empty()) {
        return std::nullopt;
    }
    refreshIfChanged();
    const auto found = byApplicationId_.find(asciiLowercased(id));
    return found == byApplicationId_.end() ? std::nullopt : std::optional<Entry>(found->second);
}

void DesktopEntryIndex::refreshIfChanged() {
    std::vector<fs::file_time_type> stamps;
    for (const auto& folder : folders_) {
        std::error_code error;
        stamps.push_back(fs::last_write_time(folder, error));
    }
    if (read_ && stamps == stamps_) {
        return;
    }
    stamps_ = std::move(stamps);
    read_ = true;
    byExecutable_.clear();
    byApplicationId_.clear();
    webBrowserNames_.clear();
    std::set<fs::path> seen;
    for (const auto& folder : folders_) {
        std::error_code error;
        for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            const fs::path& file = it->path();
            if (file.extension() != ".desktop") {
                continue;
            }
            // An entry's identity is its path below the folder; the first folder wins.
            const fs::path relative = file.lexically_relative(folder);
            if (seen.insert(relative).second) {
                read(file, desktopFileId(relative));
            }
        }
    }
}

void DesktopEntryIndex::read(const fs::path& file, const std::string& id) {
    std::ifstream in(file);
    const std::string language = locale_.substr(0, locale_.find('_'));
    std::string line;
    bool inGroup = false;
    std::string name;
    int nameRank = 0;
    std::string exec;
    std::string windowClass;
    bool webBrowser = false;
    bool application = false;
    bool hidden = false;
    while (std::getline(in, line)) {
        const std::string_view text = trimmed(line);
        if (text.empty() || text.front() == '#') {
            continue;
        }
        if (text.front() == '[') {
            if (inGroup) {
                break;
            }
            inGroup = text == "[Desktop Entry]";
            continue;
        }
        const auto equals = text.find('=');
        if (!inGroup || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = trimmed(text.substr(0, equals));
        const std::string value(trimmed(text.substr(equals + 1)));
        // The best name for the locale: Name[ll_CC] over Name[ll] over Name.
        const int rank = key == "Name"                                           ? 1
                         : !language.empty() && key == "Name[" + language + "]" ? 2
                         : !locale_.empty() && key == "Name[" + locale_ + "]"   ? 3
                                                                                 : 0;
        if (rank > nameRank) {
            name = value;
            nameRank = rank;
        } else if (key == "Exec") {
            exec = value;
        } else if (key == "StartupWMClass") {
            windowClass = value;
        } else if (key == "Categories") {
            webBrowser = (";" + value + ";").find(";WebBrowser;") != std::string::npos;
        } else if (key == "Type") {
            application = value == "Application";
        } else if (key == "Hidden") {
            hidden = value == "true";
        }
    }
    if (!application || hidden || name.empty()) {
        return;
    }
    const Entry entry{name, file};
    if (webBrowser) {
        webBrowserNames_.insert(name);
    }
    if (auto program = resolvedProgram(execProgram(exec))) {
        byExecutable_.try_emplace(*program, entry);
    }
    // The file id wins over another entry's StartupWMClass, whatever the order read.
    byApplicationId_.insert_or_assign(asciiLowercased(id), entry);
    if (!windowClass.empty()) {
        byApplicationId_.try_emplace(asciiLowercased(windowClass), entry);
    }
}

} // namespace platform
