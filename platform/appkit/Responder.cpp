#include "platform/appkit/Responder.h"

#include <set>

namespace platform {

Responder* Responder::firstResponderTo(const Selector& selector) {
    // A chain that loops back on itself ends where it repeats.
    std::set<Responder*> seen;
    std::shared_ptr<Responder> keep;
    for (Responder* current = this; current != nullptr && seen.insert(current).second;) {
        if (current->respondsTo(selector)) {
            return current;
        }
        keep = current->nextResponder();
        current = keep.get();
    }
    return nullptr;
}

} // namespace platform
