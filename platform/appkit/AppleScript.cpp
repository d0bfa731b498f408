#include "platform/appkit/AppleScript.h"

#include "platform/appkit/Backend.h"
#include "platform/appkit/ScriptResult.h"

#include <cctype>
#include <sstream>
#include <vector>

namespace platform {

namespace {

// One line of source cut into words, with "quoted strings" as single words
// (quotes kept). False when a string is not closed on its line.
bool splitWords(const std::string& line, std::vector<std::string>& words) {
    std::size_t at = 0;
    while (at < line.size()) {
        unsigned char c = static_cast<unsigned char>(line[at]);
        if (std::isspace(c)) {
            ++at;
        } else if (c == '"') {
            std::size_t end = at + 1;
            while (end < line.size() && line[end] != '"') {
                end += line[end] == '\\' ? 2 : 1;
            }
            if (end >= line.size()) {
                return false;
            }
            words.push_back(line.substr(at, end - at + 1));
            at = end + 1;
        } else if (c == '-' && at + 1 < line.size() && line[at + 1] == '-') {
            return true; // a comment runs to the end of the line
        } else {
            std::size_t end = at;
            while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end])) && line[end] != '"') {
                ++end;
            }
            words.push_back(line.substr(at, end - at));
            at = end;
        }
    }
    return true;
}

std::string unquoted(const std::string& word) {
    if (word.size() >= 2 && word.front() == '"' && word.back() == '"') {
        return word.substr(1, word.size() - 2);
    }
    return word;
}

bool needsQuotes(const std::string& value) {
    if (value.empty()) {
        return true;
    }
    for (unsigned char c : value) {
        if (!std::isalnum(c) && c != '_' && c != '.' && c != '-') {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<AppleScript> AppleScript::withSource(std::string source) {
    std::istringstream lines(source);
    std::string line;
    std::string target;
    int depth = 0;
    while (std::getline(lines, line)) {
        std::vector<std::string> words;
        if (!splitWords(line, words)) {
            return std::nullopt;
        }
        if (words.empty()) {
            continue;
        }
        if (words[0] == "tell") {
            if (words.size() < 2) {
                return std::nullopt;
            }
            bool toApplication = words[1] == "application" || words[1] == "app";
            if (toApplication && (words.size() < 3 || words[2].front() != '"')) {
                return std::nullopt;
            }
            if (toApplication && depth == 0 && target.empty()) {
                target = unquoted(words[2]);
            }
            // "tell X to ..." is a whole statement; a bare "tell X" opens a block.
            bool oneLine = false;
            for (const auto& word : words) {
                oneLine = oneLine || word == "to";
            }
            if (!oneLine) {
                ++depth;
            }
        } else if (words[0] == "end") {
            if (words.size() < 2 || words[1] != "tell" || depth == 0) {
                return std::nullopt;
            }
            --depth;
        }
    }
    if (depth != 0) {
        return std::nullopt;
    }
    return AppleScript(std::move(source), std::move(target));
}

std::optional<std::string> AppleScript::executeAndReturnError(ScriptErrorInfo* errorInfo) const {
    auto* backend = Backend::installed();
    ScriptResult result = backend != nullptr
                              ? backend->executeScript(target_, source_)
                              : ScriptResult::failure("Application isn't running.", -600, target_);
    if (result.error && errorInfo != nullptr) {
        *errorInfo = *result.error;
    }
    return result.stringValue;
}

std::string describeScriptError(const ScriptErrorInfo& info) {
    std::ostringstream out;
    out << "{\n";
    for (const auto& [key, value] : info) {
        out << "    " << key << " = ";
        if (needsQuotes(value)) {
            out << '"';
            for (char c : value) {
                if (c == '"' || c == '\\') {
                    out << '\\';
                }
                out << c;
            }
            out << '"';
        } else {
            out << value;
        }
        out << ";\n";
    }
    out << "}";
    return out.str();
}

} // namespace platform
