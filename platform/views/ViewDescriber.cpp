#include "platform/views/ViewDescriber.h"

#include "platform/views/ContextMenuModifier.h"
#include "platform/views/ViewNode.h"

namespace platform {

std::string ViewDescriber::describe(const ViewNode& root) const {
    std::string out;
    describe(root, 0, {}, "/", out);
    return out;
}

std::string ViewDescriber::line(const ViewNode& node) const {
    std::string text = node.kind();
    if (auto summary = node.summary(); !summary.empty()) {
        text += ' ' + summary;
    }
    for (const auto& modifier : node.modifiers()) {
        text += ' ' + modifier->describe();
    }
    if (node.isControl() && !node.isEnabled()) {
        text += " [disabled]";
    }
    return text;
}

void ViewDescriber::describe(const ViewNode& node, int depth, const std::string& role, const std::string& path,
                             std::string& out) const {
    out.append(2 * depth, ' ');
    if (options_.paths) {
        out += path + ' ';
    }
    if (!role.empty()) {
        out += role + ": ";
    }
    out += line(node) + '\n';
    const auto& children = node.children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (node.listsChild(i)) {
            auto childPath = (path == "/" ? "/" : path + "/") + std::to_string(i);
            describe(children[i].node(), depth + 1, node.childRole(i), childPath, out);
        }
    }
    for (const auto& modifier : node.modifiers()) {
        if (auto menu = dynamic_cast<const ContextMenuModifier*>(modifier.get())) {
            for (const auto& item : menu->items()) {
                describe(item.node(), depth + 1, "contextMenu", path, out);
            }
        }
    }
}

} // namespace platform
