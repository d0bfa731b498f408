#pragma once

#include "platform/views/Binding.h"
#include "platform/views/ViewNode.h"

#include <string>

namespace platform {

// A switch bound to a Boolean, with its label.
class Toggle : public View {
public:
    class Node final : public ViewNode {
    public:
        Node(std::string label, Binding<bool> isOn) : label_(std::move(label)), isOn_(std::move(isOn)) {}

        const std::string& label() const { return label_; }
        bool isOn() const { return isOn_.get(); }
        // Flips the switch unless it is disabled; false when nothing changed.
        bool toggle();

        std::string kind() const override { return "Toggle"; }
        std::string summary() const override;
        std::vector<std::string> searchTexts() const override { return {label_}; }
        bool isControl() const override { return true; }

    private:
        std::string label_;
        Binding<bool> isOn_;
    };

    Toggle(std::string label, Binding<bool> isOn) : View(std::make_shared<Node>(std::move(label), std::move(isOn))) {}
};

} // namespace platform
