#include "platform/views/BackgroundModifier.h"

namespace platform {

std::string BackgroundModifier::describe() const {
    return ".background(" + color_.describe() + ")";
}

} // namespace platform
