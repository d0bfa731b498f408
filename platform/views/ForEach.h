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
        for (std::size_t index = 0; index < current.size(); ++index) {
            const Element& item = current[index];
            auto key = rowIdentity(idOf(item));
            // The row's element: the one at the row's place while it has the
            // row's identity (one look, however long the list, and each of two
            // entries that share an id keeps its own row), else the first
            // with that identity wherever it moved.
            auto find = [idOf, key, index](auto& all) -> decltype(&all[0]) {
                if (index < all.size() && rowIdentity(idOf(all[index])) == key) {
                    return &all[index];
                }
                for (auto& candidate : all) {
                    if (rowIdentity(idOf(candidate)) == key) {
                        return &candidate;
                    }
                }
                return nullptr;
            };
            Binding<Element> element(
                [items, find, last = item] {
                    // Read in place where the list has a place, not copied whole for each row.
                    if (const auto* all = items.peek()) {
                        const Element* found = find(*all);
                        return found ? *found : last;
                    }
                    const auto all = items.get();
                    const Element* found = find(all);
                    // The element is gone: show what the row last had.
                    return found ? *found : last;
                },
                [items, find](Element value) {
                    auto all = items.get();
                    if (Element* found = find(all)) {
                        *found = std::move(value);
                        items.set(std::move(all));
                    }
                },
                [items, find]() -> const Element* {
                    const auto* all = items.peek();
                    return all ? find(*all) : nullptr;
                });
            View view = row(element);
            view.id(key);
            views.push_back(std::move(view));
        }
        return views;
    }
};

} // namespace platform
