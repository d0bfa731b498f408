#include "platform/views/FixedSizeModifier.h"

namespace platform {

std::string FixedSizeModifier::describe() const {
    if (horizontal_ && vertical_) {
        return ".fixedSize()";
    }
    return std::string(".fixedSize(horizontal: ") + (horizontal_ ? "true" : "false") +
           ", vertical: " + (vertical_ ? "true" : "false") + ")";
}

} // namespace platform
