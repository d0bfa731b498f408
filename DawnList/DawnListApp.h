#pragma once

#include "DawnList/AppDelegate.h"

#include "platform/appkit/App.h"

#include <vector>

namespace DawnList {

// The program's entry type: the delegate and one window group whose window
// shows the plans with a store of its own. The delegate closes that window at
// launch; the status item's window edits the plans.
class DawnListApp : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
};

} // namespace DawnList
