#include "platform/qt/views/UserAction.h"

#include "platform/runloop/Clock.h"

namespace platform {

Event userEvent(EventType type, unsigned short keyCode, std::string characters) {
    Event event;
    event.type = type;
    event.keyCode = keyCode;
    event.characters = std::move(characters);
    event.timestamp = Clock::current().uptime();
    return event;
}

} // namespace platform
