#pragma once

#include "Starhop/AppDelegate.h"

#include "platform/appkit/App.h"

#include <vector>

namespace Starhop {

// The program's entry type: the delegate and one window group, whose empty
// window launching closes again.
class StarhopApp : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
};

} // namespace Starhop
