#include "platform/views/HelpModifier.h"

#include "platform/foundation/DebugLine.h"

namespace platform {

std::string HelpModifier::describe() const {
    return ".help(" + debugDescription(text_) + ")";
}

} // namespace platform
