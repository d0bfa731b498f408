#pragma once

#include "platform/views/Component.h"
#include "platform/views/State.h"
#include "platform/views/View.h"

namespace Blinkbreak {

// A grey disc that a sector in the foreground colour fills counter-clockwise
// from 3 o'clock, evenly over twenty seconds from the moment it is first
// shown; then it stays full.
class Clock : public platform::Component {
public:
    static constexpr double fillDuration = 20;

    platform::View body() override;

private:
    platform::State<bool> started{this, false};
};

} // namespace Blinkbreak
