#pragma once

#include "Folderdock/AppDelegate.h"

#include "platform/appkit/App.h"

#include <vector>

namespace Folderdock {

// The program's entry type: the delegate and one window group.
class FolderdockApp : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
};

} // namespace Folderdock
