#pragma once

#include "platform/views/Binding.h"
#include "platform/views/ViewNode.h"

#include <optional>
#include <string>

namespace platform {

// A control that picks a number in a closed range, optionally in steps, with
// an optional label and views at the two ends.
class Slider : public View {
public:
    class Node final : public ViewNode {
    public:
        Node(Binding<double> value, double lower, double upper, std::optional<double> step);

        double value() const { return value_.get(); }
        double lowerBound() const { return lower_; }
        double upperBound() const { return upper_; }
        const std::optional<double>& step() const { return step_; }

        // Moves the knob: the value is kept in the range and on a step
        // (counted from the lower bound). Returns the value stored; a disabled
        // slider or a value that is not a number changes nothing.
        double setValue(double value);

        std::string kind() const override { return "Slider"; }
        std::string summary() const override;
        std::vector<std::string> searchTexts() const override;
        std::string childRole(std::size_t index) const override;
        bool isControl() const override { return true; }

    private:
        friend class Slider;
        enum class Slot { label, minimumValueLabel, maximumValueLabel };
        void place(Slot slot, View view);

        Binding<double> value_;
        double lower_;
        double upper_;
        std::optional<double> step_;
        std::vector<Slot> slots_;
    };

    Slider(Binding<double> value, double lower, double upper, std::optional<double> step = std::nullopt);

    Slider label(View label) const;
    Slider minimumValueLabel(View label) const;
    Slider maximumValueLabel(View label) const;

private:
    Node& sliderNode() const { return static_cast<Node&>(node()); }
};

} // namespace platform
