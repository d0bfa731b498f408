#include "Folderdock/FolderdockApp.h"

#include "Folderdock/ContentView.h"

#include "platform/views/HostingController.h"

namespace Folderdock {

std::vector<platform::Scene> FolderdockApp::body() {
    return {platform::WindowGroup(
        [] { return platform::HostingController::make(platform::View::make<ContentView>()); })};
}

} // namespace Folderdock
