#include "platform/views/Slider.h"

#include "platform/views/NumberText.h"
#include "platform/views/SymbolImage.h"
#include "platform/views/Text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

namespace {

void collectNames(const ViewNode& node, std::vector<std::string>& names) {
    for (const auto& text : node.searchTexts()) {
        names.push_back(text);
    }
    for (const auto& child : node.children()) {
        collectNames(child.node(), names);
    }
}

} // namespace

Slider::Node::Node(Binding<double> value, double lower, double upper, std::optional<double> step)
    : value_(std::move(value)), lower_(std::min(lower, upper)), upper_(std::max(lower, upper)), step_(step) {
    if (step_ && !(*step_ > 0)) {
        step_.reset();
    }
}

double Slider::Node::setValue(double value) {
    if (!isEnabled() || std::isnan(value)) {
        return this->value();
    }
    value = std::clamp(value, lower_, upper_);
    if (step_) {
        value = std::min(upper_, lower_ + std::round((value - lower_) / *step_) * *step_);
    }
    value_.set(value);
    return value;
}

std::string Slider::Node::summary() const {
    std::string line = "value=" + numberText(value()) + " range=" + numberText(lower_) + "..." + numberText(upper_);
    return step_ ? line + " step=" + numberText(*step_) : line;
}

std::vector<std::string> Slider::Node::searchTexts() const {
    std::vector<std::string> names;
    for (const auto& child : children()) {
        collectNames(child.node(), names);
    }
    return names;
}

std::string Slider::Node::childRole(std::size_t index) const {
    if (index >= slots_.size()) {
        return {};
    }
    switch (slots_[index]) {
    case Slot::label: return "label";
    case Slot::minimumValueLabel: return "minimumValueLabel";
    case Slot::maximumValueLabel: return "maximumValueLabel";
    }
    return {};
}

void Slider::Node::place(Slot slot, View view) {
    auto existing = std::find(slots_.begin(), slots_.end(), slot);
    if (existing != slots_.end()) {
        auto children = this->children();
        children[existing - slots_.begin()] = std::move(view);
        setChildren(std::move(children));
        return;
    }
    slots_.push_back(slot);
    addChild(std::move(view));
}

Slider::Slider(Binding<double> value, double lower, double upper, std::optional<double> step)
    : View(std::make_shared<Node>(std::move(value), lower, upper, step)) {}

Slider Slider::label(View label) const {
    sliderNode().place(Node::Slot::label, std::move(label));
    return *this;
}

Slider Slider::minimumValueLabel(View label) const {
    sliderNode().place(Node::Slot::minimumValueLabel, std::move(label));
    return *this;
}

Slider Slider::maximumValueLabel(View label) const {
    sliderNode().place(Node::Slot::maximumValueLabel, std::move(label));
    return *this;
}

} // namespace platform
