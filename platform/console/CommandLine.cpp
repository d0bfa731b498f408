#include "platform/console/CommandLine.h"

namespace platform {

std::optional<std::vector<std::string>> splitCommandLine(const std::string& line, std::string* error) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const char c = line[at];
        if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else if (c == '#' && !inWord) {
            break;
        } else if (c == '"') {
            inWord = true;
            bool closed = false;
            for (++at; at < line.size(); ++at) {
                if (line[at] == '"') {
                    closed = true;
                    break;
                }
                if (line[at] == '\\' && at + 1 < line.size()) {
                    const char next = line[++at];
                    word += next == 'n' ? '\n' : next == 't' ? '\t' : next;
                } else {
                    word += line[at];
                }
            }
            if (!closed) {
                if (error) {
                    *error = "unclosed double quote";
                }
                return std::nullopt;
            }
        } else if (c == '\'') {
            inWord = true;
            auto end = line.find('\'', at + 1);
            if (end == std::string::npos) {
                if (error) {
                    *error = "unclosed single quote";
                }
                return std::nullopt;
            }
            word += line.substr(at + 1, end - at - 1);
            at = end;
        } else {
            inWord = true;
            word += c;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace platform
