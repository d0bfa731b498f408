#include "platform/views/ViewFinder.h"

#include "platform/views/ViewNode.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace platform {

namespace {

void collect(ViewNode& node, std::vector<ViewNode*>& into) {
    into.push_back(&node);
    const auto& children = node.children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (node.listsChild(i)) {
            collect(children[i].node(), into);
        }
    }
}

// "Save#2" is the text "Save" and the ordinal 2; "#3" alone stays a text.
std::pair<std::string, std::optional<std::size_t>> splitOrdinal(const std::string& selector) {
    auto hash = selector.rfind('#');
    if (hash == std::string::npos || hash == 0 || hash + 1 == selector.size()) {
        return {selector, std::nullopt};
    }
    auto digits = selector.substr(hash + 1);
    if (!std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }) ||
        digits.size() > 6) {
        return {selector, std::nullopt};
    }
    return {selector.substr(0, hash), static_cast<std::size_t>(std::stoul(digits))};
}

bool shows(const ViewNode& node, const std::string& text) {
    auto texts = node.searchTexts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

} // namespace

ViewNode* ViewFinder::atPath(const std::string& path) const {
    if (path.empty() || path.front() != '/') {
        return nullptr;
    }
    ViewNode* node = &root_;
    std::size_t position = 1;
    while (position < path.size()) {
        auto next = path.find('/', position);
        auto part = path.substr(position, next == std::string::npos ? std::string::npos : next - position);
        position = next == std::string::npos ? path.size() : next + 1;
        if (part.empty()) {
            continue;
        }
        if (part.size() > 6 || !std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c); })) {
            return nullptr;
        }
        auto index = std::stoul(part);
        if (index >= node->children().size()) {
            return nullptr;
        }
        node = &node->children()[index].node();
    }
    return node;
}

std::vector<ViewNode*> ViewFinder::all() const {
    std::vector<ViewNode*> nodes;
    collect(root_, nodes);
    return nodes;
}

std::vector<ViewNode*> ViewFinder::find(const std::string& selector) const {
    return candidates(selector, [](const ViewNode&) { return true; });
}

std::vector<ViewNode*> ViewFinder::candidates(const std::string& selector,
                                              const std::function<bool(const ViewNode&)>& isKind) const {
    std::vector<ViewNode*> found;
    if (!selector.empty() && selector.front() == '/') {
        if (auto* start = atPath(selector)) {
            std::vector<ViewNode*> inside;
            collect(*start, inside);
            for (auto* node : inside) {
                if (isKind(*node)) {
                    found.push_back(node);
                    break;
                }
            }
        }
        return found;
    }
    auto [text, ordinal] = splitOrdinal(selector);
    for (auto* node : all()) {
        if (isKind(*node) && (text == "*" || shows(*node, text))) {
            found.push_back(node);
        }
    }
    if (ordinal) {
        if (*ordinal == 0 || *ordinal > found.size()) {
            return {};
        }
        return {found[*ordinal - 1]};
    }
    return found;
}

} // namespace platform
