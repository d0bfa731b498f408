#pragma once


#include <functional>
#include <string>

namespace platform {

// What a live modifier may ask of the view graph while it is being updated:
// work to run once the tree is consistent again (an on-change action).
class ModifierContext {
public:
    virtual ~ModifierContext() = default;
    virtual void afterUpdate(std::function<void()> work) = 0;
};

// Something applied to one view: layout (padding, frame), appearance
// (background, font), behaviour (help text, keyboard shortcut) or a live
// connection (a subscription, a watched value). Modifiers keep the order in
// which they were applied; the first one of a kind is the innermost.
class ViewModifier {
public:
    virtual ~ViewModifier() = default;

    // ".padding(16)", ".font(title bold)".
    virtual std::string describe() const = 0;

    // Environment modifiers (font, foreground colour, button style, disabled)
    // reach every view inside the one they are applied to.
    virtual bool isInherited() const { return false; }

    // Live modifiers: the view entered the graph as a new view...
    virtual void attach(ModifierContext&) {}
    // ...or replaced `previous` (a modifier of the same class at the same place
    // in the view it replaces) in a rebuild, and may take over its connection.
    virtual void adopt(ViewModifier& previous, ModifierContext& context) {
        (void)previous;
        attach(context);
    }
    // The view left the graph.
    virtual void detach() {}
};

} // namespace platform
