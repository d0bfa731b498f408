#include "platform/views/Text.h"

#include "platform/foundation/DebugLine.h"

namespace platform {

std::string Text::Node::summary() const {
    return debugDescription(content_);
}

} // namespace platform
