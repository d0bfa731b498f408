#include "DawnList/DawnListApp.h"

#include "DawnList/ContentView.h"

#include "platform/views/HostedContent.h"

namespace DawnList {

std::vector<platform::Scene> DawnListApp::body() {
    return {platform::WindowGroup(
        platform::hostedContent([] { return platform::View::make<ContentView>(DawnListStore::make()); }))};
}

} // namespace DawnList
