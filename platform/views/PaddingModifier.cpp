#include "platform/views/PaddingModifier.h"

#include "platform/views/NumberText.h"

#include <array>
#include <utility>

namespace platform {

std::string PaddingModifier::describe() const {
    if (insets_ == EdgeInsets::uniform(insets_.top)) {
        return ".padding(" + numberText(insets_.top) + ")";
    }
    const std::array<std::pair<const char*, double>, 4> edges{
        {{"top", insets_.top}, {"leading", insets_.leading}, {"bottom", insets_.bottom}, {"trailing", insets_.trailing}}};
    std::string text = ".padding(";
    const char* separator = "";
    for (const auto& [edge, length] : edges) {
        if (length != 0) {
            text += separator + std::string(edge) + ": " + numberText(length);
            separator = ", ";
        }
    }
    return text + ")";
}

} // namespace platform
