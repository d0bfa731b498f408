#include "platform/appkit/Responder.h"

namespace platform {

Responder* Responder::firstResponderTo(const Selector& selector) { return respondsTo(selector) ? this : nullptr; }

} // namespace platform
