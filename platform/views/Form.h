#pragma once

#include "platform/views/ViewNode.h"

#include <initializer_list>
#include <vector>

namespace platform {

// Controls laid out as a settings form (labels and their controls in rows).
class Form : public View {
public:
    class Node final : public ViewNode {
    public:
        explicit Node(std::vector<View> children) : ViewNode(std::move(children)) {}
        std::string kind() const override { return "Form"; }
    };

    Form(std::initializer_list<View> children) : Form(std::vector<View>(children)) {}
    explicit Form(std::vector<View> children) : View(std::make_shared<Node>(std::move(children))) {}
};

} // namespace platform
