#include "platform/appkit/Object.h"

namespace platform {

void Object::addAction(const Selector& selector, Action action) {
    if (action) {
        actions_[selector] = std::move(action);
    } else {
        actions_.erase(selector);
    }
}

void Object::removeAction(const Selector& selector) { actions_.erase(selector); }

bool Object::respondsTo(const Selector& selector) const { return actions_.count(selector) != 0; }

bool Object::perform(const Selector& selector, Object* sender) {
    auto found = actions_.find(selector);
    if (found == actions_.end()) {
        return false;
    }
    // A copy: the action may replace or remove itself while it runs.
    Action action = found->second;
    action(sender);
    return true;
}

} // namespace platform
