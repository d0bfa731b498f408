#pragma once

#include "platform/views/Transaction.h"
#include "platform/views/View.h"
#include "platform/views/ViewModifier.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class ViewGraph;

// One node of a view tree: its kind, its properties (in the subclass), its
// children and its modifiers. Nodes are made fresh by every build of a body;
// the view graph then lets each new node take over the live parts of the node
// it replaces (state, editing, subscriptions, animations) and drops the old one.
class ViewNode : public std::enable_shared_from_this<ViewNode> {
public:
    ViewNode(const ViewNode&) = delete;
    ViewNode& operator=(const ViewNode&) = delete;
    virtual ~ViewNode();

    // The kind's name in listings: "VStack", "TextField", a component's class.
    virtual std::string kind() const = 0;
    // The kind's properties in listings: texts, values, state.
    virtual std::string summary() const { return {}; }
    // The texts the view can be found by: a title, a placeholder, a label.
    virtual std::vector<std::string> searchTexts() const { return {}; }
    // How listings name a child that is not content ("label", "minimumValueLabel").
    virtual std::string childRole(std::size_t index) const;
    // False for a child the kind's own line already shows (a button's text label).
    virtual bool listsChild(std::size_t) const { return true; }
    // Controls show whether they are enabled in listings.
    virtual bool isControl() const { return false; }

    const std::vector<View>& children() const { return children_; }
    const std::vector<std::shared_ptr<ViewModifier>>& modifiers() const { return modifiers_; }
    void addModifier(std::shared_ptr<ViewModifier> modifier);

    // The innermost modifier of a class on this node.
    template <typename Modifier>
    const Modifier* modifier() const {
        for (const auto& each : modifiers_) {
            if (auto found = dynamic_cast<const Modifier*>(each.get())) {
                return found;
            }
        }
        return nullptr;
    }
    // The innermost modifier of a class on this node or the nearest ancestor
    // that has one (fonts, colours, button styles reach inner views).
    template <typename Modifier>
    const Modifier* environment() const {
        for (const ViewNode* node = this; node; node = node->parent_) {
            if (auto found = node->modifier<Modifier>()) {
                return found;
            }
        }
        return nullptr;
    }

    // False when this view or one around it is disabled.
    bool isEnabled() const;

    ViewNode* parent() const { return parent_; }
    // The graph the node is part of; null before it is hosted and once it was replaced.
    ViewGraph* graph() const { return graph_; }
    const std::string& key() const { return key_; }
    void setKey(std::string key) { key_ = std::move(key); }

protected:
    ViewNode() = default;
    explicit ViewNode(std::vector<View> children) : children_(std::move(children)) {}

    void setChildren(std::vector<View> children) { children_ = std::move(children); }
    void addChild(View child) { children_.push_back(std::move(child)); }

    // Called when this node replaces `previous`, a node of the same class at
    // the same place, before the children are settled. `animation` is set when
    // the rebuild comes from changes made inside withAnimation.
    virtual void adopt(ViewNode& previous, const std::optional<AnimationStart>& animation);
    // Called as the node is settled into a graph, in place of `replaced` (null
    // for a new place), before its children are: a node that makes its
    // children only then, from what the replaced node had (which it may take
    // over: the replaced node is being retired), does it here.
    virtual void makeChildren(ViewNode* replaced);

private:
    friend class ViewGraph;

    std::vector<View> children_;
    std::vector<std::shared_ptr<ViewModifier>> modifiers_;
    std::string key_;
    ViewNode* parent_ = nullptr;
    ViewGraph* graph_ = nullptr;
    bool appeared_ = false;
};

} // namespace platform
