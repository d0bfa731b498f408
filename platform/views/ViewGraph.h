#pragma once

#include "platform/views/TextField.h"
#include "platform/views/View.h"
#include "platform/views/ViewNode.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

class Component;
class ViewModifier;

// The live tree of one hosted view: it builds the bodies of its components,
// rebuilds those whose state changed, lets each rebuilt node take over from
// the node it replaces, runs on-appear and on-change actions, and keeps track
// of the text field being edited.
//
// Rebuilds happen on a later turn of the main run loop (one block on the main
// queue gathers every change announced before it, as the platform does), or
// at once through update(); listings and the driver call update() first, so
// they always see the current tree.
class ViewGraph final : public std::enable_shared_from_this<ViewGraph> {
public:
    static std::shared_ptr<ViewGraph> make() { return std::make_shared<ViewGraph>(); }
    ~ViewGraph();

    // Replaces the root; a root of the same class keeps its state.
    void setRoot(View root);
    const View& root() const { return root_; }

    // Whether the views are on screen. Views first shown run their on-appear
    // actions; hiding them keeps that, so showing again runs nothing.
    void setVisible(bool visible);
    bool isVisible() const { return visible_; }

    // Rebuilds every component that asked for it, outermost first, then runs
    // the actions that came due; repeats while those change more state.
    void update();
    bool needsUpdate() const { return !dirty_.empty() || !pending_.empty(); }

    // The text field being edited. Focusing another one ends its editing.
    TextField::Node* focusedField() const { return focusedField_; }
    void focus(TextField::Node* field);
    // Ends the editing of the focused field, if any (Return, Tab).
    void endEditing();

    // Components' side.
    void markDirty(Component& component);
    void forget(Component& component);
    // A field's side: it stopped editing.
    void resign(TextField::Node& field);

private:
    class Context;

    void settle(View& view, ViewNode* previous, ViewNode* parent, const std::optional<AnimationStart>& animation);
    void settleChildren(ViewNode& node, const std::vector<View>& previousChildren,
                        const std::optional<AnimationStart>& animation);
    void settleModifiers(ViewNode& node, ViewNode* previous);
    void rebuild(Component& component);
    void retire(ViewNode& node);
    void detach(ViewNode& node);
    void appear(ViewNode& node);
    void appearOne(ViewNode& node);
    void scheduleUpdate();

    View root_;
    std::vector<Component*> dirty_;
    std::vector<std::function<void()>> pending_;
    TextField::Node* focusedField_ = nullptr;
    bool visible_ = false;
    bool updateScheduled_ = false;
    bool updating_ = false;
};

} // namespace platform
