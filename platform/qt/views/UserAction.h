#pragma once

#include "platform/appkit/Event.h"

#include <functional>

namespace platform {

// How a widget hands what the person did to the model: the event that
// caused it (the application's current event while the model acts) and the
// change to make, after which the run loop finishes what it queued and the
// windows are brought up to date.
using UserAction = std::function<void(const Event& event, const std::function<void()>& change)>;

// The event of a click or of a key, stamped now.
Event userEvent(EventType type, unsigned short keyCode = 0, std::string characters = {});

} // namespace platform
