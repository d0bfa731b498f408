#include "platform/views/OpacityModifier.h"

#include "platform/views/NumberText.h"

namespace platform {

std::string OpacityModifier::describe() const {
    return ".opacity(" + numberText(opacity_) + ")";
}

} // namespace platform
