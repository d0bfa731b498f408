#include "platform/views/HostingController.h"

#include "platform/views/Button.h"
#include "platform/views/FrameModifier.h"
#include "platform/views/ViewDescriber.h"
#include "platform/views/ViewFinder.h"

namespace platform {

namespace {

constexpr std::uint64_t shortcutModifierMask =
    ModifierFlags::shift | ModifierFlags::control | ModifierFlags::option | ModifierFlags::command;

bool isEscape(const Event& event) {
    return event.keyCode == KeyCode::escape || event.characters == "\x1b";
}

bool isReturn(const Event& event) {
    return event.keyCode == KeyCode::returnKey || event.characters == "\r" || event.characters == "\n";
}

} // namespace

HostingController::HostingController(View rootView) : graph_(ViewGraph::make()) {
    graph_->setRoot(std::move(rootView));
}

void HostingController::setRootView(View rootView) {
    graph_->setRoot(std::move(rootView));
}

std::string HostingController::describe() const {
    graph_->update();
    return ViewDescriber().describe(graph_->root().node());
}

Size HostingController::preferredContentSize() const {
    auto frame = graph_->root().node().modifier<FrameModifier>();
    if (frame && frame->limits().width && frame->limits().height) {
        return {*frame->limits().width, *frame->limits().height};
    }
    return {};
}

void HostingController::viewDidAppear() {
    graph_->setVisible(true);
}

void HostingController::viewDidDisappear() {
    graph_->setVisible(false);
}

bool HostingController::keyDown(const Event& event) {
    if (event.type != EventType::keyDown) {
        return false;
    }
    graph_->update();
    if (isEscape(event)) {
        return performShortcut(KeyboardShortcut::cancelAction());
    }
    if (isReturn(event)) {
        bool wasEditing = graph_->focusedField() != nullptr;
        graph_->endEditing();
        return performShortcut(KeyboardShortcut::defaultAction()) || wasEditing;
    }
    if (event.characters.empty()) {
        return false;
    }
    return performShortcut(KeyboardShortcut::of(event.characters, event.modifierFlags & shortcutModifierMask));
}

bool HostingController::performShortcut(const KeyboardShortcut& shortcut) {
    graph_->update();
    for (auto* button : ViewFinder(graph_->root().node()).find<Button::Node>("*")) {
        auto* own = button->shortcut();
        if (own && *own == shortcut && button->isEnabled()) {
            // Keep the graph alive through an action that closes the window.
            auto graph = graph_;
            return button->press();
        }
    }
    return false;
}

} // namespace platform
