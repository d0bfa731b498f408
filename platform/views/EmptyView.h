#pragma once

#include "platform/views/ViewNode.h"

namespace platform {

// A view that shows nothing (a placeholder content, the absent branch of a condition).
class EmptyView : public View {
public:
    class Node final : public ViewNode {
    public:
        std::string kind() const override { return "EmptyView"; }
    };

    EmptyView() : View(std::make_shared<Node>()) {}
};

} // namespace platform
