#include "Carryover/CarryoverApp.h"

#include "Carryover/ContentView.h"

#include "platform/views/HostingController.h"

namespace Carryover {

std::vector<platform::Scene> CarryoverApp::body() {
    return {platform::WindowGroup(
        [] { return platform::HostingController::make(platform::View::make<ContentView>()); })};
}

} // namespace Carryover
