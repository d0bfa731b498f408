#pragma once

#include "Durovevadi/AppDelegate.h"

#include "platform/appkit/App.h"

#include <vector>

namespace Durovevadi {

// The program's entry type: the delegate and one window group, whose empty
// window launching closes again.
class DizuderizuApp : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
};

} // namespace Durovevadi
