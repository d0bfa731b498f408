#include "platform/views/Spacer.h"

#include "platform/views/NumberText.h"

namespace platform {

std::string Spacer::Node::summary() const {
    return minLength_ ? "minLength=" + numberText(*minLength_) : std::string();
}

} // namespace platform
