#include "platform/console/DesktopSession.h"

namespace platform {

std::unique_ptr<DesktopSession> openDesktopSession(int&, char**, std::string& reason) {
    reason = "built without the desktop backend";
    return nullptr;
}

} // namespace platform
