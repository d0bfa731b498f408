#pragma once

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace platform {

class ViewNode;

// Finds views in a tree by what a person sees or by position:
// - "/0/2/1": the view at that index path from the root ("/" is the root);
// - "Save": every view whose title, label, placeholder, text or symbol is "Save";
// - "Save#2": the second of those, in listing order;
// - "*": every view.
// Searches for one kind (text fields, buttons) keep the views of that kind;
// an index path then names the first of them at or inside that view.
class ViewFinder {
public:
    explicit ViewFinder(ViewNode& root) : root_(root) {}

    std::vector<ViewNode*> find(const std::string& selector) const;

    template <typename Kind>
    std::vector<Kind*> find(const std::string& selector) const {
        std::vector<Kind*> found;
        auto isKind = [](const ViewNode& node) {
            if constexpr (std::is_same_v<Kind, ViewNode>) {
                return true;
            } else {
                return dynamic_cast<const Kind*>(&node) != nullptr;
            }
        };
        for (auto* node : candidates(selector, isKind)) {
            found.push_back(static_cast<Kind*>(node));
        }
        return found;
    }
    template <typename Kind>
    Kind* first(const std::string& selector) const {
        auto found = find<Kind>(selector);
        return found.empty() ? nullptr : found.front();
    }

    ViewNode* atPath(const std::string& path) const;
    // Every view in listing order.
    std::vector<ViewNode*> all() const;

private:
    std::vector<ViewNode*> candidates(const std::string& selector,
                                      const std::function<bool(const ViewNode&)>& isKind) const;

    ViewNode& root_;
};

} // namespace platform
