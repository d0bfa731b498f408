#pragma once

namespace platform {

// The part of a component's state the view graph handles without knowing its
// type: when a rebuilt parent makes a new instance of a component, the new
// instance's slots take over the old instance's values, in declaration order.
class StateSlot {
public:
    virtual ~StateSlot() = default;
    // False when `previous` holds another type (the component changed shape).
    virtual bool takeOver(StateSlot& previous) = 0;
};

} // namespace platform
