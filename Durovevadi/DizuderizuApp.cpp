#include "Durovevadi/DizuderizuApp.h"

#include "platform/views/EmptyView.h"
#include "platform/views/HostingController.h"

namespace Durovevadi {

std::vector<platform::Scene> DizuderizuApp::body() {
    return {platform::WindowGroup([] { return platform::HostingController::make(platform::EmptyView()); })};
}

} // namespace Durovevadi
