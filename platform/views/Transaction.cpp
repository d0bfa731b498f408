#include "platform/views/Transaction.h"

#include "platform/runloop/Clock.h"

namespace platform {

std::optional<AnimationStart>& Transaction::slot() {
    // Views live on the main thread; one slot is enough.
    static std::optional<AnimationStart> current;
    return current;
}

const std::optional<AnimationStart>& Transaction::current() {
    return slot();
}

void withAnimation(const Animation& animation, const std::function<void()>& changes) {
    auto& current = Transaction::slot();
    auto outer = current;
    current = AnimationStart{animation, Clock::current().uptime()};
    struct Restore {
        std::optional<AnimationStart>& slot;
        std::optional<AnimationStart> value;
        ~Restore() { slot = value; }
    } restore{current, outer};
    changes();
}

} // namespace platform
