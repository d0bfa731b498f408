#include "platform/views/ViewGraph.h"

#include "platform/runloop/DispatchQueue.h"
#include "platform/views/AppearModifier.h"
#include "platform/views/Component.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <typeinfo>
#include <unordered_map>
#include <unordered_set>

namespace platform {

namespace {

// A body that changes its own state while it is built would rebuild forever;
// past this many rebuilds in one update the rest waits for the next turn.
constexpr int maximumRebuildsPerUpdate = 1000;

int depthOf(const ViewNode& node) {
    int depth = 0;
    for (auto* parent = node.parent(); parent; parent = parent->parent()) {
        ++depth;
    }
    return depth;
}

bool sameClass(const ViewNode& a, const ViewNode& b) {
    return typeid(a) == typeid(b);
}

} // namespace

class ViewGraph::Context final : public ModifierContext {
public:
    explicit Context(ViewGraph& graph) : graph_(graph) {}
    void afterUpdate(std::function<void()> work) override { graph_.pending_.push_back(std::move(work)); }

private:
    ViewGraph& graph_;
};

ViewGraph::~ViewGraph() {
    detach(root_.node());
}

void ViewGraph::setRoot(View root) {
    View previous = root_;
    root_ = std::move(root);
    bool attached = previous.node().graph_ == this;
    bool replaces = attached && sameClass(previous.node(), root_.node());
    settle(root_, replaces ? &previous.node() : nullptr, nullptr, std::nullopt);
    if (attached && !replaces) {
        detach(previous.node());
    }
    update();
}

void ViewGraph::setVisible(bool visible) {
    visible_ = visible;
    if (visible_) {
        appear(root_.node());
        update();
    }
}

void ViewGraph::update() {
    if (updating_) {
        return;
    }
    updating_ = true;
    int rebuilds = 0;
    while ((!dirty_.empty() || !pending_.empty()) && rebuilds < maximumRebuildsPerUpdate) {
        while (!dirty_.empty() && rebuilds < maximumRebuildsPerUpdate) {
            // Outermost first: rebuilding it rebuilds what it contains.
            auto outermost = std::min_element(dirty_.begin(), dirty_.end(), [](Component* a, Component* b) {
                return depthOf(*a) < depthOf(*b);
            });
            Component* component = *outermost;
            dirty_.erase(outermost);
            rebuild(*component);
            ++rebuilds;
        }
        auto work = std::move(pending_);
        pending_.clear();
        for (auto& each : work) {
            each();
        }
    }
    updating_ = false;
    if (!dirty_.empty() || !pending_.empty()) {
        scheduleUpdate();
    }
}

void ViewGraph::focus(TextField::Node* field) {
    if (focusedField_ && focusedField_ != field) {
        auto* editing = focusedField_;
        focusedField_ = nullptr;
        editing->endEditing();
    }
    focusedField_ = field;
}

void ViewGraph::endEditing() {
    if (auto* editing = focusedField_) {
        focusedField_ = nullptr;
        editing->endEditing();
    }
}

void ViewGraph::resign(TextField::Node& field) {
    if (focusedField_ == &field) {
        focusedField_ = nullptr;
    }
}

void ViewGraph::markDirty(Component& component) {
    if (component.graph_ != this) {
        return;
    }
    if (std::find(dirty_.begin(), dirty_.end(), &component) == dirty_.end()) {
        dirty_.push_back(&component);
    }
    scheduleUpdate();
}

void ViewGraph::forget(Component& component) {
    std::erase(dirty_, &component);
}

void ViewGraph::scheduleUpdate() {
    if (updateScheduled_) {
        return;
    }
    auto self = weak_from_this().lock();
    if (!self) {
        return;
    }
    updateScheduled_ = true;
    DispatchQueue::main().async(weakly(self, [](ViewGraph& graph) {
        graph.updateScheduled_ = false;
        graph.update();
    }));
}

void ViewGraph::settle(View& view, ViewNode* previous, ViewNode* parent,
                       const std::optional<AnimationStart>& animation) {
    ViewNode& node = view.node();
    if (&node == previous || node.graph_ == this) {
        // The same node handed back by a body: it is settled already.
        node.parent_ = parent;
        return;
    }
    node.graph_ = this;
    node.parent_ = parent;
    std::vector<View> previousChildren;
    if (previous) {
        node.appeared_ = previous->appeared_;
        node.adopt(*previous, animation);
        if (focusedField_ == previous) {
            focusedField_ = dynamic_cast<TextField::Node*>(&node);
        }
        previousChildren = previous->children_;
    }
    node.makeChildren(previous);
    settleModifiers(node, previous);
    if (visible_ && !node.appeared_) {
        appearOne(node);
    }

    auto childAnimation = animation;
    if (auto* component = dynamic_cast<Component*>(&node)) {
        if (previous) {
            component->takeOverState(static_cast<Component&>(*previous));
        }
        if (auto own = component->takePendingAnimation()) {
            childAnimation = own;
        }
        node.children_ = {component->body()};
    }
    if (previous) {
        retire(*previous);
    }
    settleChildren(node, previousChildren, childAnimation);
}

void ViewGraph::settleChildren(ViewNode& node, const std::vector<View>& previousChildren,
                               const std::optional<AnimationStart>& animation) {
    // Keyed children (rows of a ForEach, views given an id) match by key;
    // the others by their position among the unkeyed ones. A keyed child
    // whose place before held its key (a row kept as it was, or made again
    // where it was) matches at once, so a long list costs no key lookups.
    std::optional<std::vector<std::size_t>> unkeyed;
    auto previousUnkeyed = [&](std::size_t rank) -> std::optional<std::size_t> {
        if (!unkeyed) {
            unkeyed.emplace();
            for (std::size_t i = 0; i < previousChildren.size(); ++i) {
                if (previousChildren[i].node().key_.empty()) {
                    unkeyed->push_back(i);
                }
            }
        }
        return rank < unkeyed->size() ? std::optional(unkeyed->at(rank)) : std::nullopt;
    };
    std::optional<std::unordered_map<std::string_view, std::size_t>> keyed;
    auto previousWithKey = [&](const std::string& key) -> std::optional<std::size_t> {
        if (!keyed) {
            keyed.emplace();
            keyed->reserve(previousChildren.size());
            for (std::size_t i = 0; i < previousChildren.size(); ++i) {
                const auto& previousKey = previousChildren[i].node().key_;
                if (!previousKey.empty()) {
                    keyed->emplace(previousKey, i);
                }
            }
        }
        if (auto found = keyed->find(key); found != keyed->end()) {
            return found->second;
        }
        return std::nullopt;
    };
    std::vector<bool> taken(previousChildren.size(), false);
    std::size_t position = 0;
    for (std::size_t index = 0; index < node.children_.size(); ++index) {
        auto& child = node.children_[index];
        std::optional<std::size_t> match;
        const auto& key = child.node().key_;
        if (!key.empty()) {
            // Rows mostly stay where they were.
            match = index < previousChildren.size() && (&previousChildren[index].node() == &child.node() ||
                                                         previousChildren[index].node().key_ == key)
                        ? std::optional(index)
                        : previousWithKey(key);
        } else {
            match = previousUnkeyed(position++);
        }
        ViewNode* previous = nullptr;
        if (match && !taken[*match]) {
            ViewNode& candidate = previousChildren[*match].node();
            if (candidate.graph_ == this && sameClass(candidate, child.node())) {
                previous = &candidate;
                taken[*match] = true;
            }
        }
        settle(child, previous, &node, animation);
    }
    std::optional<std::unordered_set<const ViewNode*>> kept;
    for (std::size_t i = 0; i < previousChildren.size(); ++i) {
        if (taken[i]) {
            continue;
        }
        if (!kept) {
            kept.emplace();
            for (const auto& child : node.children_) {
                kept->insert(&child.node());
            }
        }
        ViewNode& gone = previousChildren[i].node();
        if (!kept->contains(&gone)) {
            detach(gone);
        }
    }
}

void ViewGraph::settleModifiers(ViewNode& node, ViewNode* previous) {
    Context context(*this);
    // Live modifiers match the modifier of the same class and rank in the
    // node they replace.
    std::map<const std::type_info*, std::size_t> seen;
    for (auto& modifier : node.modifiers_) {
        const ViewModifier& current = *modifier;
        const auto& type = typeid(current);
        std::size_t rank = seen[&type]++;
        ViewModifier* counterpart = nullptr;
        if (previous) {
            std::size_t found = 0;
            for (auto& candidate : previous->modifiers_) {
                const ViewModifier& earlier = *candidate;
                if (typeid(earlier) == type && found++ == rank) {
                    counterpart = candidate.get();
                    break;
                }
            }
        }
        if (counterpart) {
            modifier->adopt(*counterpart, context);
        } else {
            modifier->attach(context);
        }
    }
}

void ViewGraph::rebuild(Component& component) {
    auto animation = component.takePendingAnimation();
    std::vector<View> previousChildren = component.children_;
    component.children_ = {component.body()};
    settleChildren(component, previousChildren, animation);
}

void ViewGraph::retire(ViewNode& node) {
    node.graph_ = nullptr;
    if (auto* component = dynamic_cast<Component*>(&node)) {
        forget(*component);
    }
    for (auto& modifier : node.modifiers_) {
        modifier->detach();
    }
}

void ViewGraph::detach(ViewNode& node) {
    if (node.graph_ != this) {
        return;
    }
    if (focusedField_ == &node) {
        focusedField_ = nullptr;
    }
    retire(node);
    for (auto& child : node.children_) {
        detach(child.node());
    }
}

void ViewGraph::appearOne(ViewNode& node) {
    node.appeared_ = true;
    for (auto& modifier : node.modifiers_) {
        if (auto* appear = dynamic_cast<AppearModifier*>(modifier.get())) {
            pending_.push_back(appear->action());
        }
    }
}

void ViewGraph::appear(ViewNode& node) {
    if (node.graph_ != this) {
        return;
    }
    if (!node.appeared_) {
        appearOne(node);
    }
    for (auto& child : node.children_) {
        appear(child.node());
    }
}

} // namespace platform
