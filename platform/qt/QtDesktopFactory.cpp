#include "platform/console/DesktopSession.h"
#include "platform/qt/DisplayProbe.h"
#include "platform/qt/QtDesktopSession.h"

#include <QApplication>
#include <cstdlib>

namespace platform {

std::unique_ptr<DesktopSession> openDesktopSession(int& argc, char** argv, std::string& reason) {
    // Tray docking, held modifiers and window places need X11; on a Wayland
    // desktop that means its X server.
    if (!DisplayProbe::canReachX11(reason)) {
        return nullptr;
    }
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    return std::make_unique<QtDesktopSession>(std::make_unique<QApplication>(argc, argv));
}

} // namespace platform
