#pragma once

#include "platform/views/Alignment.h"
#include "platform/views/ViewNode.h"

#include <initializer_list>
#include <optional>
#include <vector>

namespace platform {

// Views side by side: top to bottom (VStack), leading to trailing (HStack),
// or one above the other in depth (ZStack). Without a spacing the platform's
// default spacing applies.
class StackNode final : public ViewNode {
public:
    enum class Axis { vertical, horizontal, depth };

    StackNode(Axis axis, Alignment alignment, std::optional<double> spacing, std::vector<View> children)
        : ViewNode(std::move(children)), axis_(axis), alignment_(alignment), spacing_(spacing) {}

    Axis axis() const { return axis_; }
    const Alignment& alignment() const { return alignment_; }
    const std::optional<double>& spacing() const { return spacing_; }

    std::string kind() const override;
    // The alignment when it is not centred, and the spacing when one was given.
    std::string summary() const override;

private:
    Axis axis_;
    Alignment alignment_;
    std::optional<double> spacing_;
};

class VStack : public View {
public:
    VStack(std::initializer_list<View> children) : VStack(std::vector<View>(children)) {}
    explicit VStack(std::vector<View> children) : VStack(HorizontalAlignment::center, std::move(children)) {}
    VStack(HorizontalAlignment alignment, std::vector<View> children, std::optional<double> spacing = std::nullopt)
        : View(std::make_shared<StackNode>(StackNode::Axis::vertical, Alignment{alignment, VerticalAlignment::center},
                                           spacing, std::move(children))) {}
};

class HStack : public View {
public:
    HStack(std::initializer_list<View> children) : HStack(std::vector<View>(children)) {}
    explicit HStack(std::vector<View> children) : HStack(VerticalAlignment::center, std::move(children)) {}
    HStack(VerticalAlignment alignment, std::vector<View> children, std::optional<double> spacing = std::nullopt)
        : View(std::make_shared<StackNode>(StackNode::Axis::horizontal,
                                           Alignment{HorizontalAlignment::center, alignment}, spacing,
                                           std::move(children))) {}
};

class ZStack : public View {
public:
    ZStack(std::initializer_list<View> children) : ZStack(std::vector<View>(children)) {}
    explicit ZStack(std::vector<View> children) : ZStack(Alignment::center(), std::move(children)) {}
    ZStack(Alignment alignment, std::vector<View> children)
        : View(std::make_shared<StackNode>(StackNode::Axis::depth, alignment, std::nullopt, std::move(children))) {}
};

} // namespace platform
