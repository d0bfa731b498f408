#pragma once

#include "Talkclock/AppDelegate.h"
#include "Talkclock/TimerDefaults.h"

#include "platform/appkit/App.h"
#include "platform/views/Binding.h"

#include <vector>

namespace Talkclock {

// The program's entry type: the delegate, a window group (closed at launch)
// and the settings window with its one switch.
class TalkclockApp : public platform::App {
public:
    using Delegate = AppDelegate;

    // Whether the panel shows its title line: the same stored value the
    // panel reads, so the switch changes the panel at once.
    platform::Binding<bool> showTitle = TimerDefaults::standard()->showTitleBinding();

    std::vector<platform::Scene> body() override;
};

} // namespace Talkclock
