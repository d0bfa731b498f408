#include "platform/views/FontModifier.h"

namespace platform {

std::string FontModifier::describe() const {
    return ".font(" + font_.describe() + ")";
}

} // namespace platform
