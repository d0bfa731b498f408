#include "platform/views/ShadowModifier.h"

#include "platform/views/NumberText.h"

namespace platform {

std::string ShadowModifier::describe() const {
    std::string text = ".shadow(" + color_.describe() + ", radius: " + numberText(radius_);
    if (x_ != 0 || y_ != 0) {
        text += ", x: " + numberText(x_) + ", y: " + numberText(y_);
    }
    return text + ")";
}

} // namespace platform
