#pragma once

#include "platform/appkit/Object.h"

#include <memory>

namespace platform {

// An object in the responder chain: an action sent without a target goes
// from responder to responder until one answers it.
class Responder : public Object {
public:
    std::shared_ptr<Responder> nextResponder() const { return nextResponder_.lock(); }
    void setNextResponder(const std::shared_ptr<Responder>& next) { nextResponder_ = next; }

    // The first responder of the chain that starts here and answers the
    // action, or null.
    Responder* firstResponderTo(const Selector& selector);

private:
    std::weak_ptr<Responder> nextResponder_;
};

} // namespace platform
