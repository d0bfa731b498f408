#pragma once

#include "Blinkbreak/AppDelegate.h"

#include "platform/appkit/App.h"

#include <string>
#include <vector>

namespace Blinkbreak {

// The program's entry type: the delegate, the launch window's group and the
// reminder windows' group, which takes every URL opened for the program.
class BlinkbreakApp : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
    // The reminder timer opens "Blinkbreak://Blinkbreak" to raise a window in
    // this very program.
    std::vector<std::string> urlSchemes() const override;
};

} // namespace Blinkbreak
