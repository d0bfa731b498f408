#pragma once

#include "Urlstash/AppDelegate.h"

#include "platform/appkit/App.h"

#include <vector>

namespace Urlstash {

// The program's entry type: the delegate and one window group.
class UrlstashApp : public platform::App {
public:
    using Delegate = AppDelegate;

    std::vector<platform::Scene> body() override;
};

} // namespace Urlstash
