#pragma once

#include "Zivirodevevo/AppDelegate.h"

#include "platform/appkit/App.h"

#include <vector>

namespace Zivirodevevo {

// The program's entry type: the delegate and one window group with an empty
// view, whose window the delegate closes at launch.
class VidizividavaRov : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
};

} // namespace Zivirodevevo
