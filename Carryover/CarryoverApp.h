#pragma once

#include "Carryover/AppDelegate.h"

#include "platform/appkit/App.h"

#include <vector>

namespace Carryover {

// The program's entry type: the delegate and one window group.
class CarryoverApp : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
};

} // namespace Carryover
