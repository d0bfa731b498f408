#include "platform/views/Component.h"

#include "platform/views/TypeName.h"
#include "platform/views/ViewGraph.h"

namespace platform {

Component::~Component() {
    if (graph()) {
        graph()->forget(*this);
    }
}

std::string Component::kind() const {
    return readableTypeName(typeid(*this));
}

void Component::invalidate() {
    if (const auto& animation = Transaction::current()) {
        pendingAnimation_ = animation;
    }
    if (graph()) {
        graph()->markDirty(*this);
    }
}

void Component::takeOverState(Component& previous) {
    if (previous.states_.size() != states_.size()) {
        return;
    }
    for (std::size_t i = 0; i < states_.size(); ++i) {
        states_[i]->takeOver(*previous.states_[i]);
    }
    if (!pendingAnimation_) {
        pendingAnimation_ = previous.pendingAnimation_;
    }
}

std::optional<AnimationStart> Component::takePendingAnimation() {
    auto animation = pendingAnimation_;
    pendingAnimation_.reset();
    return animation;
}

} // namespace platform
