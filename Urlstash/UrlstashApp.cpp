#include "Urlstash/UrlstashApp.h"

#include "Urlstash/ContentView.h"

#include "platform/views/HostingController.h"

namespace Urlstash {

std::vector<platform::Scene> UrlstashApp::body() {
    return {platform::WindowGroup(
        [] { return platform::HostingController::make(platform::View::make<ContentView>()); })};
}

} // namespace Urlstash
