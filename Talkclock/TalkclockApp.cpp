#include "Talkclock/TalkclockApp.h"

#include "Talkclock/ContentView.h"

#include "platform/views/Form.h"
#include "platform/views/HostedContent.h"
#include "platform/views/Toggle.h"

namespace Talkclock {

using namespace platform;

std::vector<Scene> TalkclockApp::body() {
    return {
        WindowGroup(hostedContent([] { return View::make<ContentView>(); })),
        Settings(hostedContent([showTitle = showTitle] {
            return Form{Toggle("Should show title", showTitle).help("Show title in timer panel")}.padding();
        })),
    };
}

} // namespace Talkclock
