#pragma once

#include "platform/appkit/Object.h"

namespace platform {

// An object in the responder chain: an action sent without a target goes
// from responder to responder (the key window, its delegate, the application,
// the application's delegate) until one answers it.
class Responder : public Object {
public:
    // This responder when it answers the action, or null.
    Responder* firstResponderTo(const Selector& selector);
};

} // namespace platform
