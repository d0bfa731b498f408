#include "platform/views/Toggle.h"

#include "platform/foundation/DebugLine.h"

namespace platform {

bool Toggle::Node::toggle() {
    if (!isEnabled()) {
        return false;
    }
    isOn_.set(!isOn_.get());
    return true;
}

std::string Toggle::Node::summary() const {
    return debugDescription(label_) + (isOn() ? " on" : " off");
}

} // namespace platform
