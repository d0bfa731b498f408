#pragma once

#include "platform/views/Binding.h"
#include "platform/views/ViewNode.h"

#include <concepts>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace platform {

// The identity of a row as text: strings as they are, numbers in decimal,
// UUIDs (anything with uuidString()) in their text form.
template <typename Id>
std::string rowIdentity(const Id& id) {
    if constexpr (std::is_convertible_v<const Id&, std::string>) {
        return std::string(id);
    } else if constexpr (std::is_arithmetic_v<Id>) {
        return std::to_string(id);
    } else {
        return id.uuidString();
    }
}

// One row per element of a collection, each identified by the element's id:
// a rebuilt row keeps the state of the row with the same id, wherever it moved.
//
//     ForEach(store->list.get(), [](const Entry& e) { return e.id; },
//             [](const Entry& e) { return Text(e.text); })
//
// The binding form hands each row a binding to its own element, found by id
// at every read and write, so a row edits its element in place.
class ForEach : public View {
public:
    class Node final : public ViewNode {
    public:
        explicit Node(std::vector<View> rows) : ViewNode(std::move(rows)) {}
        std::string kind() const override { return "ForEach"; }
    };

    template <typename Element, typename IdOf, typename Row>
        requires std::invocable<Row&, const Element&>
    ForEach(const std::vector<Element>& items, IdOf idOf, Row row) : View(std::make_shared<Node>(rows(items, idOf, row))) {}

    template <typename Element, typename IdOf, typename Row>
        requires std::invocable<Row&, Binding<Element>>
    ForEach(const Binding<std::vector<Element>>& items, IdOf idOf, Row row)
        : View(std::make_shared<Node>(boundRows(items, idOf, row))) {}

private:
    template <typename Element, typename IdOf, typename Row>
    static std::vector<View> rows(const std::vector<Element>& items, IdOf& idOf, Row& row) {
        std::vector<View> views;
        views.reserve(items.size());
        for (const auto& item : items) {
            View view = row(item);
            view.id(rowIdentity(idOf(item)));
            views.push_back(std::move(view));
        }
        return views;
    }

    template <typename Element, typename IdOf, typename Row>
    static std::vector<View> boundRows(const Binding<std::vector<Element>>& items, IdOf& idOf, Row& row) {
        std::vector<View> views;
        auto current = items.get();
        views.reserve(current.size());
        for (const auto& item : current) {
            auto key = rowIdentity(idOf(item));
            auto matches = [idOf, key](const Element& candidate) { return rowIdentity(idOf(candidate)) == key; };
            Binding<Element> element(
                [items, matches, last = item] {
                    for (const auto& candidate : items.get()) {
                        if (matches(candidate)) {
                            return candidate;
                        }
                    }
                    // The element is gone: show what the row last had.
                    return last;
                },
                [items, matches](Element value) {
                    auto all = items.get();
                    for (auto& candidate : all) {
                        if (matches(candidate)) {
                            candidate = std::move(value);
                            items.set(std::move(all));
                            return;
                        }
                    }
                });
            View view = row(element);
            view.id(key);
            views.push_back(std::move(view));
        }
        return views;
    }
};

} // namespace platform
