#pragma once

#include "platform/views/Animation.h"

#include <functional>
#include <optional>

namespace platform {

// An animation together with the moment (clock uptime) it was asked for.
struct AnimationStart {
    Animation animation;
    double startUptime = 0;
};

// The context of state changes on the main thread: changes made inside
// withAnimation carry its animation to the views they rebuild.
class Transaction {
public:
    // The animation of the innermost withAnimation running now, if any.
    static const std::optional<AnimationStart>& current();

private:
    friend void withAnimation(const Animation& animation, const std::function<void()>& changes);
    static std::optional<AnimationStart>& slot();
};

// Runs `changes` so that the views they change move to their new values over
// the animation, starting now on the process's clock.
void withAnimation(const Animation& animation, const std::function<void()>& changes);

} // namespace platform
