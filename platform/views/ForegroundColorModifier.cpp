#include "platform/views/ForegroundColorModifier.h"

namespace platform {

std::string ForegroundColorModifier::describe() const {
    return ".foregroundColor(" + color_.describe() + ")";
}

} // namespace platform
