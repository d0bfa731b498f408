#include "platform/views/TextField.h"

#include "platform/foundation/DebugLine.h"
#include "platform/views/ViewGraph.h"

namespace platform {

TextField::TextField(std::string placeholder, Binding<std::string> text)
    : View(std::make_shared<Node>(std::move(placeholder),
                                  Value{[text] { return text.get(); },
                                        [text](const std::string& value) {
                                            text.set(value);
                                            return true;
                                        },
                                        true})) {}

std::string TextField::Node::text() const {
    return editing_ ? *editing_ : value_.text();
}

void TextField::Node::beginEditing() {
    if (editing_ || !isEnabled()) {
        return;
    }
    if (graph()) {
        graph()->focus(this);
    }
    editing_ = value_.text();
}

void TextField::Node::replaceText(std::string text) {
    if (!isEnabled()) {
        return;
    }
    beginEditing();
    editing_ = std::move(text);
    if (value_.storesEachEdit) {
        value_.store(*editing_);
    }
}

bool TextField::Node::endEditing() {
    if (!editing_) {
        return true;
    }
    auto text = std::move(*editing_);
    editing_.reset();
    if (graph()) {
        graph()->resign(*this);
    }
    return value_.storesEachEdit || value_.store(text);
}

std::string TextField::Node::summary() const {
    std::string line = "placeholder=" + debugDescription(placeholder_) + " text=" + debugDescription(text());
    return editing_ ? line + " editing" : line;
}

void TextField::Node::adopt(ViewNode& previous, const std::optional<AnimationStart>&) {
    editing_ = static_cast<Node&>(previous).editing_;
}

} // namespace platform
