#pragma once

#include "platform/appkit/Color.h"
#include "platform/combine/AnyPublisher.h"
#include "platform/views/ButtonStyle.h"
#include "platform/views/ChangeModifier.h"
#include "platform/views/EdgeInsets.h"
#include "platform/views/Font.h"
#include "platform/views/FrameModifier.h"
#include "platform/views/KeyboardShortcut.h"
#include "platform/views/ReceiveModifier.h"

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace platform {

class Shape;
class ViewModifier;
class ViewNode;

// A handle on one node of a view tree. Views are made by the kinds' handles
// (Text, VStack, Button...) or from a Component, then shaped by modifiers:
//
//     VStack{Text("Stretch your eyes").padding(Edges::bottom, 8), ...}.padding()
//
// A modifier applies to the node itself and returns the same view, so copies of
// a handle share the node and its modifiers. Views are plain data: kinds,
// properties, children and handlers, listed by describe() and drawn by a backend.
class View {
public:
    // An empty view.
    View();
    template <typename Node>
    View(std::shared_ptr<Node> node) : node_(std::move(node)) {}

    // A view of a component (or any node class) made with these arguments.
    template <typename Node, typename... Arguments>
    static View make(Arguments&&... arguments) {
        return View(std::make_shared<Node>(std::forward<Arguments>(arguments)...));
    }

    ViewNode& node() const { return *node_; }
    const std::shared_ptr<ViewNode>& shared() const { return node_; }

    // Layout.
    View padding(double length = EdgeInsets::standard) const;
    View padding(Edges edges, double length = EdgeInsets::standard) const;
    View padding(EdgeInsets insets) const;
    View frame(double width, double height) const;
    View frame(const FrameLimits& limits) const;
    View fixedSize(bool horizontal = true, bool vertical = true) const;
    View layoutPriority(double priority) const;

    // Appearance.
    View background(Color color) const;
    View clipShape(std::shared_ptr<const Shape> shape) const;
    template <typename ShapeType>
        requires(!std::is_pointer_v<ShapeType>)
    View clipShape(ShapeType shape) const {
        return clipShape(std::shared_ptr<const Shape>(std::make_shared<ShapeType>(std::move(shape))));
    }
    View shadow(Color color, double radius, double x = 0, double y = 0) const;
    View foregroundColor(Color color) const;
    View font(Font font) const;
    View opacity(double opacity) const;
    View buttonStyle(ButtonStyle style) const;

    // Behaviour.
    View help(std::string text) const;
    View contextMenu(std::vector<View> items) const;
    View keyboardShortcut(KeyboardShortcut shortcut) const;
    View disabled(bool disabled = true) const;
    View onAppear(std::function<void()> action) const;
    // `action` takes the value or nothing.
    template <typename Output, typename Action>
    View onReceive(const AnyPublisher<Output>& publisher, Action action) const {
        std::function<void(const Output&)> handler;
        if constexpr (std::is_invocable_v<Action&, const Output&>) {
            handler = std::move(action);
        } else {
            handler = [action = std::move(action)](const Output&) mutable { action(); };
        }
        return modifier(std::make_shared<ReceiveModifier<Output>>(publisher, std::move(handler)));
    }
    // Runs `action` with the new value after a rebuild in which `value` changed.
    template <typename T, typename Action>
    View onChange(const T& value, Action action) const {
        return modifier(std::make_shared<ChangeModifier<T>>(value, std::function<void(const T&)>(std::move(action))));
    }

    // The view's identity among its siblings; a rebuilt view with the same
    // identity keeps its state.
    View id(std::string key) const;
    View modifier(std::shared_ptr<ViewModifier> modifier) const;

    // The indented listing of this view and everything inside it.
    std::string describe() const;

private:
    std::shared_ptr<ViewNode> node_;
};

} // namespace platform
