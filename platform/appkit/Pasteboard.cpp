#include "platform/appkit/Pasteboard.h"

#include "platform/foundation/AsciiCase.h"
#include "platform/foundation/BrowserURLReader.h"
#include "platform/foundation/Diagnostics.h"
#include "platform/foundation/URL.h"

#include <algorithm>

namespace platform {

void Pasteboard::setString(const std::string& value, const PasteboardTypeName& type) {
    for (auto& entry : entries_) {
        if (entry.first == type) {
            entry.second = value;
            return;
        }
    }
    entries_.emplace_back(type, value);
}

std::optional<std::vector<PasteboardTypeName>> Pasteboard::types() const {
    if (entries_.empty()) {
        return std::nullopt;
    }
    std::vector<PasteboardTypeName> names;
    for (const auto& entry : entries_) {
        names.push_back(entry.first);
    }
    return names;
}

std::optional<std::string> Pasteboard::string(const PasteboardTypeName& type) const {
    for (const auto& entry : entries_) {
        if (entry.first == type) {
            return entry.second;
        }
    }
    return std::nullopt;
}

Pasteboard Pasteboard::forLink(const std::string& urlText, const std::optional<std::string>& title) {
    Pasteboard pasteboard;
    pasteboard.setString(urlText, PasteboardType::URL);
    if (title) {
        pasteboard.setString(*title, PasteboardType::URLName);
    }
    return pasteboard;
}

Pasteboard Pasteboard::forFile(const URL& fileURL) {
    Pasteboard pasteboard;
    const std::string text = fileURL.absoluteString();
    pasteboard.setString(text, PasteboardType::fileURL);
    pasteboard.setString(text, PasteboardType::URL);
    return pasteboard;
}

Pasteboard Pasteboard::forText(const std::string& text) {
    Pasteboard pasteboard;
    pasteboard.setString(text, PasteboardType::string);
    return pasteboard;
}

bool Pasteboard::declares(const PasteboardTypeName& type) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) { return entry.first == type; });
}

namespace {

// The link as the pasteboard reads it: its "public.url" text, else its
// "public.file-url" text.
std::optional<BrowserURLReader::Result> readLink(const Pasteboard& pasteboard) {
    for (const auto& type : {PasteboardType::URL, PasteboardType::fileURL}) {
        if (auto text = pasteboard.string(type)) {
            return BrowserURLReader::read(*text);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<URL> URLFromPasteboard(const Pasteboard& pasteboard) {
    auto read = readLink(pasteboard);
    if (!read) {
        return std::nullopt;
    }
    if (!read->url) {
        Diagnostics::say("no link in the drop: " + read->refusal);
    }
    return std::move(read->url);
}

bool carriesScriptLink(const Pasteboard& pasteboard) {
    const auto read = readLink(pasteboard);
    const std::optional<URL> url = read ? read->url : std::nullopt;
    const auto scheme = url ? url->scheme() : std::nullopt;
    if (!scheme) {
        return false;
    }
    const std::string lowered = asciiLowercased(*scheme);
    return lowered == "javascript" || lowered == "vbscript" || lowered == "data";
}

} // namespace platform
