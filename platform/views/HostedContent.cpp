#include "platform/views/HostedContent.h"

#include "platform/views/HostingController.h"

namespace platform {

SceneContent hostedContent(std::function<View()> makeView) {
    return [makeView = std::move(makeView)]() -> std::shared_ptr<ViewController> {
        return HostingController::make(makeView ? makeView() : View());
    };
}

} // namespace platform
