#pragma once

#include "Hourtrail/AppDelegate.h"

#include "platform/appkit/App.h"

#include <vector>

namespace Hourtrail {

// The program's entry type: the delegate and one window group.
class HourtrailApp : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
};

} // namespace Hourtrail
