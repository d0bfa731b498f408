#include "Hourtrail/HourtrailApp.h"

#include "Hourtrail/ContentView.h"

#include "platform/views/HostingController.h"

namespace Hourtrail {

std::vector<platform::Scene> HourtrailApp::body() {
    return {platform::WindowGroup(
        [] { return platform::HostingController::make(platform::View::make<ContentView>()); })};
}

} // namespace Hourtrail
