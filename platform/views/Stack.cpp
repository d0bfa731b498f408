#include "platform/views/Stack.h"

#include "platform/views/NumberText.h"

namespace platform {

std::string StackNode::kind() const {
    switch (axis_) {
    case Axis::vertical: return "VStack";
    case Axis::horizontal: return "HStack";
    case Axis::depth: return "ZStack";
    }
    return "VStack";
}

std::string StackNode::summary() const {
    std::string text;
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : " ") + part; };
    if (axis_ != Axis::horizontal && alignment_.horizontal != HorizontalAlignment::center) {
        add(std::string("alignment=") + alignmentName(alignment_.horizontal));
    }
    if (axis_ != Axis::vertical && alignment_.vertical != VerticalAlignment::center) {
        add(std::string(axis_ == Axis::depth ? "verticalAlignment=" : "alignment=") +
            alignmentName(alignment_.vertical));
    }
    if (spacing_) {
        add("spacing=" + numberText(*spacing_));
    }
    return text;
}

} // namespace platform
