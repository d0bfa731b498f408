#include "platform/views/FrameModifier.h"

#include "platform/views/NumberText.h"

#include <array>
#include <utility>

namespace platform {

std::string FrameModifier::describe() const {
    const std::array<std::pair<const char*, std::optional<double>>, 6> fields{{
        {"width", limits_.width},
        {"height", limits_.height},
        {"minWidth", limits_.minWidth},
        {"maxWidth", limits_.maxWidth},
        {"minHeight", limits_.minHeight},
        {"maxHeight", limits_.maxHeight},
    }};
    std::string text = ".frame(";
    const char* separator = "";
    for (const auto& [name, value] : fields) {
        if (value) {
            text += separator + std::string(name) + ": " + numberText(*value);
            separator = ", ";
        }
    }
    return text + ")";
}

} // namespace platform
