#include "platform/views/DisabledModifier.h"

namespace platform {

std::string DisabledModifier::describe() const {
    return disabled_ ? ".disabled()" : ".disabled(false)";
}

} // namespace platform
