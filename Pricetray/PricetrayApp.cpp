#include "Pricetray/PricetrayApp.h"

#include "Pricetray/ContentView.h"

#include "platform/views/HostingController.h"

namespace Pricetray {

std::vector<platform::Scene> PricetrayApp::body() {
    return {platform::WindowGroup(
        [] { return platform::HostingController::make(platform::View::make<ContentView>()); })};
}

} // namespace Pricetray
