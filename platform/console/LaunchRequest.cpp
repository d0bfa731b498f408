#include "platform/console/LaunchRequest.h"

#include <vector>

namespace platform {

namespace {

const char* keyword(LaunchRequest::Kind kind) {
    switch (kind) {
    case LaunchRequest::Kind::dropURL: return "drop-url";
    case LaunchRequest::Kind::dropFile: return "drop-file";
    case LaunchRequest::Kind::openURL: return "open-url";
    }
    return "";
}

} // namespace

std::string LaunchRequest::encoded() const {
    std::string text = std::string(keyword(kind)) + "\n" + target + "\n";
    if (title) {
        text += *title + "\n";
    }
    return text;
}

std::optional<LaunchRequest> LaunchRequest::decode(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    // Every field ends with its line feed: anything after the last one is a cut-off message.
    if (start != text.size() || lines.size() < 2 || lines.size() > 3 || lines[1].empty()) {
        return std::nullopt;
    }
    LaunchRequest request;
    if (lines[0] == "drop-url") {
        request.kind = Kind::dropURL;
    } else if (lines[0] == "drop-file") {
        request.kind = Kind::dropFile;
    } else if (lines[0] == "open-url") {
        request.kind = Kind::openURL;
    } else {
        return std::nullopt;
    }
    if (lines.size() == 3 && request.kind != Kind::dropURL) {
        return std::nullopt;
    }
    request.target = lines[1];
    if (lines.size() == 3) {
        request.title = lines[2];
    }
    return request;
}

} // namespace platform
