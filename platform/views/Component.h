#pragma once

#include "platform/views/StateSlot.h"
#include "platform/views/Transaction.h"
#include "platform/views/ViewNode.h"

#include <optional>
#include <vector>

namespace platform {

// A view made of other views: a class with state and a body.
//
//     class Clock : public platform::Component {
//         platform::State<bool> started{this, false};
//         platform::View body() override { ... }
//     };
//
// The body is built when the component enters a view graph and again on a
// later turn of the main run loop after its state changes or an object it
// observes announces a change (all changes announced before that turn are
// gathered into one rebuild). When a parent's rebuild makes a new instance of
// the same class at the same place, the new instance keeps the old one's state.
class Component : public ViewNode {
public:
    ~Component() override;

    // The class name.
    std::string kind() const override;

    virtual View body() = 0;

    // Asks for the body to be built again on a later turn. Changes made
    // inside withAnimation animate the views they change.
    void invalidate();

    // Registers a state field (done by State's constructor).
    void registerState(StateSlot& slot) { states_.push_back(&slot); }

protected:
    Component() = default;

private:
    friend class ViewGraph;

    // The values of `previous`, an instance of the same class, become this one's.
    void takeOverState(Component& previous);
    std::optional<AnimationStart> takePendingAnimation();

    std::vector<StateSlot*> states_;
    std::optional<AnimationStart> pendingAnimation_;
};

} // namespace platform
