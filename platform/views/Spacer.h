#pragma once

#include "platform/views/ViewNode.h"

#include <optional>

namespace platform {

// Flexible space that pushes the other views of its stack apart.
class Spacer : public View {
public:
    class Node final : public ViewNode {
    public:
        explicit Node(std::optional<double> minLength) : minLength_(minLength) {}

        const std::optional<double>& minLength() const { return minLength_; }

        std::string kind() const override { return "Spacer"; }
        std::string summary() const override;

    private:
        std::optional<double> minLength_;
    };

    explicit Spacer(std::optional<double> minLength = std::nullopt) : View(std::make_shared<Node>(minLength)) {}
};

} // namespace platform
