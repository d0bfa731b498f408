#pragma once

#include "platform/views/ViewNode.h"

#include <initializer_list>
#include <vector>

namespace platform {

// A scrolling list: each child (or each row of a ForEach inside) is one row.
class List : public View {
public:
    class Node final : public ViewNode {
    public:
        explicit Node(std::vector<View> children) : ViewNode(std::move(children)) {}
        std::string kind() const override { return "List"; }
    };

    List(std::initializer_list<View> children) : List(std::vector<View>(children)) {}
    explicit List(std::vector<View> children) : View(std::make_shared<Node>(std::move(children))) {}
};

} // namespace platform
