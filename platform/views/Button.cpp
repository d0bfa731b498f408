#include "platform/views/Button.h"

#include "platform/foundation/DebugLine.h"
#include "platform/views/ButtonStyleModifier.h"
#include "platform/views/KeyboardShortcutModifier.h"
#include "platform/views/SymbolImage.h"
#include "platform/views/Text.h"

namespace platform {

namespace {

void collectTexts(const ViewNode& node, std::string& texts, std::string& symbols) {
    auto append = [](std::string& to, const std::string& part) { to += (to.empty() ? "" : " ") + part; };
    if (auto text = dynamic_cast<const Text::Node*>(&node)) {
        append(texts, text->content());
    } else if (auto image = dynamic_cast<const SymbolImage::Node*>(&node)) {
        append(symbols, image->systemName());
    }
    for (const auto& child : node.children()) {
        collectTexts(child.node(), texts, symbols);
    }
}

} // namespace

Button::Node::Node(View label, std::function<void()> action) : action_(std::move(action)) {
    addChild(std::move(label));
}

Button::Button(std::string title, std::function<void()> action)
    : Button(Text(std::move(title)), std::move(action)) {}

Button::Button(View label, std::function<void()> action)
    : View(std::make_shared<Node>(std::move(label), std::move(action))) {}

std::string Button::Node::title() const {
    std::string texts;
    std::string symbols;
    collectTexts(children().front().node(), texts, symbols);
    return texts.empty() ? symbols : texts;
}

const KeyboardShortcut* Button::Node::shortcut() const {
    auto modifier = this->modifier<KeyboardShortcutModifier>();
    return modifier ? &modifier->shortcut() : nullptr;
}

ButtonStyle Button::Node::style() const {
    auto modifier = environment<ButtonStyleModifier>();
    return modifier ? modifier->style() : ButtonStyle::automatic;
}

bool Button::Node::press() {
    if (!isEnabled() || !action_) {
        return false;
    }
    // The action may rebuild the tree that holds this node; keep it alive.
    auto action = action_;
    action();
    return true;
}

std::string Button::Node::summary() const {
    std::string line = debugDescription(title());
    if (style() != ButtonStyle::automatic) {
        line += std::string(" style=") + buttonStyleName(style());
    }
    return line;
}

std::string Button::Node::childRole(std::size_t) const {
    return "label";
}

bool Button::Node::listsChild(std::size_t) const {
    const auto& label = children().front().node();
    return !dynamic_cast<const Text::Node*>(&label) || !label.modifiers().empty();
}

} // namespace platform
