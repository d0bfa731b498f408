#pragma once

#include "platform/views/Component.h"
#include "platform/views/View.h"

namespace Blinkbreak {

// What a reminder window shows: the twenty-second clock, the reminder text,
// two eyes, and an invisible button that closes the window on Escape. Once
// shown, the window is set floating without the keyboard focus.
class ContentView : public platform::Component {
public:
    platform::View body() override;
};

} // namespace Blinkbreak
