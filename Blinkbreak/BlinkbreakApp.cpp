#include "Blinkbreak/BlinkbreakApp.h"

#include "Blinkbreak/ContentView.h"

#include "platform/views/HostedContent.h"
#include "platform/views/Text.h"

namespace Blinkbreak {

std::vector<platform::Scene> BlinkbreakApp::body() {
    return {
        platform::WindowGroup(platform::hostedContent([] { return platform::Text("MAIN"); })),
        platform::WindowGroup("Blinkbreak", platform::hostedContent([] { return platform::View::make<ContentView>(); }))
            .windowStyle(platform::WindowStyle::hiddenTitleBar)
            .handlesExternalEvents({"*"}),
    };
}

std::vector<std::string> BlinkbreakApp::urlSchemes() const { return {"Blinkbreak"}; }

} // namespace Blinkbreak
