#pragma once

#include "Pricetray/AppDelegate.h"

#include "platform/appkit/App.h"

#include <vector>

namespace Pricetray {

// The program's entry type: the delegate and one window group.
class PricetrayApp : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
};

} // namespace Pricetray
