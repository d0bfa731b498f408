#include "platform/views/LayoutPriorityModifier.h"

#include "platform/views/NumberText.h"

namespace platform {

std::string LayoutPriorityModifier::describe() const {
    return ".layoutPriority(" + numberText(priority_) + ")";
}

} // namespace platform
