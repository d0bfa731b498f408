#include "platform/views/ViewNode.h"

#include "platform/views/DisabledModifier.h"

namespace platform {

ViewNode::~ViewNode() = default;

std::string ViewNode::childRole(std::size_t) const {
    return {};
}

void ViewNode::addModifier(std::shared_ptr<ViewModifier> modifier) {
    if (modifier) {
        modifiers_.push_back(std::move(modifier));
    }
}

bool ViewNode::isEnabled() const {
    for (const ViewNode* node = this; node; node = node->parent_) {
        for (const auto& each : node->modifiers_) {
            auto disabled = dynamic_cast<const DisabledModifier*>(each.get());
            if (disabled && disabled->disabled()) {
                return false;
            }
        }
    }
    return true;
}

void ViewNode::adopt(ViewNode&, const std::optional<AnimationStart>&) {}

void ViewNode::makeChildren(ViewNode*) {}

} // namespace platform
