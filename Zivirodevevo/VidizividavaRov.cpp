#include "Zivirodevevo/VidizividavaRov.h"

#include "platform/views/EmptyView.h"
#include "platform/views/HostedContent.h"

namespace Zivirodevevo {

std::vector<platform::Scene> VidizividavaRov::body() {
    return {platform::WindowGroup(platform::hostedContent([] { return platform::EmptyView(); }))};
}

} // namespace Zivirodevevo
