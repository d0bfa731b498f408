#include "platform/views/ButtonStyleModifier.h"

namespace platform {

std::string ButtonStyleModifier::describe() const {
    return std::string(".buttonStyle(") + buttonStyleName(style_) + ")";
}

} // namespace platform
