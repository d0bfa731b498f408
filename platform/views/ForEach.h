#pragma once

#include "platform/views/Binding.h"
#include "platform/views/ViewNode.h"

#include <concepts>
#include <cstddef>
#include <functional>
#include <memory>
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
//
// keepingUnchangedRows is the binding form for rows made from nothing but
// their binding and what never changes: a row whose element is the same, at
// the same place, as when the list was last built is kept as it was instead
// of being made again, so an edit in one row of a long list makes one row.
class ForEach : public View {
public:
    class Node final : public ViewNode {
    public:
        // Makes the node's rows once the graph knows the node it replaces (if any).
        using RowMaker = std::function<void(Node& made, Node* replaced)>;

        explicit Node(std::vector<View> rows) : ViewNode(std::move(rows)) {}
        explicit Node(RowMaker maker) : maker_(std::move(maker)) {}
        std::string kind() const override { return "ForEach"; }

    protected:
        void makeChildren(ViewNode* replaced) override {
            if (maker_) {
                maker_(*this, dynamic_cast<Node*>(replaced));
            }
        }

    private:
        friend class ForEach;

        RowMaker maker_;
        // The elements the rows were made from, for the next build to
        // compare and take over.
        std::shared_ptr<void> elements_;
    };

    template <typename Element, typename IdOf, typename Row>
        requires std::invocable<Row&, const Element&>
    ForEach(const std::vector<Element>& items, IdOf idOf, Row row) : View(std::make_shared<Node>(rows(items, idOf, row))) {}

    template <typename Element, typename IdOf, typename Row>
        requires std::invocable<Row&, Binding<Element>>
    ForEach(const Binding<std::vector<Element>>& items, IdOf idOf, Row row)
        : View(std::make_shared<Node>(boundRows(items, idOf, row))) {}

    template <typename Element, typename IdOf, typename Row>
        requires std::invocable<Row&, Binding<Element>> && std::equality_comparable<Element>
    static ForEach keepingUnchangedRows(const Binding<std::vector<Element>>& items, IdOf idOf, Row row) {
        return ForEach(std::make_shared<Node>([items, idOf, row](Node& made, Node* replaced) mutable {
            const auto* live = items.peek();
            const std::vector<Element> copy = live ? std::vector<Element>() : items.get();
            const std::vector<Element>& current = live ? *live : copy;
            // The elements the replaced rows were made from, taken over and
            // brought up to date: only the elements that changed are copied.
            std::shared_ptr<void> taken = replaced ? std::move(replaced->elements_) : nullptr;
            auto* elements = static_cast<std::vector<Element>*>(taken.get());
            if (!elements) {
                taken = std::make_shared<std::vector<Element>>();
                elements = static_cast<std::vector<Element>*>(taken.get());
            }
            const std::size_t madeBefore = replaced ? std::min(elements->size(), replaced->children().size()) : 0;
            std::vector<View> views;
            views.reserve(current.size());
            for (std::size_t index = 0; index < current.size(); ++index) {
                const bool same = index < elements->size() && (*elements)[index] == current[index];
                if (same && index < madeBefore) {
                    views.push_back(replaced->children()[index]);
                } else {
                    views.push_back(boundRow(items, idOf, row, current, index));
                }
                if (index >= elements->size()) {
                    elements->push_back(current[index]);
                } else if (!same) {
                    (*elements)[index] = current[index];
                }
            }
            elements->erase(elements->begin() + static_cast<std::ptrdiff_t>(current.size()), elements->end());
            made.elements_ = std::move(taken);
            made.setChildren(std::move(views));
        }));
    }

private:
    explicit ForEach(std::shared_ptr<Node> node) : View(std::move(node)) {}

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
            views.push_back(boundRow(items, idOf, row, current, index));
        }
        return views;
    }

    // The row of the element at `index` of `current`, bound to that element.
    template <typename Element, typename IdOf, typename Row>
    static View boundRow(const Binding<std::vector<Element>>& items, IdOf& idOf, Row& row,
                         const std::vector<Element>& current, std::size_t index) {
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
                // A row whose element has gone changes nothing.
                if (const auto* all = items.peek()) {
                    if (find(*all)) {
                        // Only the element changes; the rest of the list stays where it is.
                        items.modify([&find, &value](std::vector<Element>& list) { *find(list) = std::move(value); });
                    }
                    return;
                }
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
        view.id(std::move(key));
        return view;
    }
};

} // namespace platform
