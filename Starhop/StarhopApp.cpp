#include "Starhop/StarhopApp.h"

#include "platform/views/EmptyView.h"
#include "platform/views/HostingController.h"

namespace Starhop {

std::vector<platform::Scene> StarhopApp::body() {
    return {platform::WindowGroup([] { return platform::HostingController::make(platform::EmptyView()); })};
}

} // namespace Starhop
