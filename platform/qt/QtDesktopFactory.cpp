#include "platform/console/DesktopSession.h"
#include "platform/qt/DisplayProbe.h"
#include "platform/qt/QtDesktopSession.h"

#include <QApplication>

#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace platform {

namespace {

// Qt reads these while it connects to the display. They are set only for
// that: the programs' children (applications Folderdock opens, the browser
// a link goes to) start with the environment the program was given.
constexpr std::array<std::pair<const char*, const char*>, 2> displaySettings{{
    // Tray docking, held modifiers and window places need X11; on a
    // Wayland desktop that means its X server.
    {"QT_QPA_PLATFORM", "xcb"},
    // The windows are small and some repaint every second (a running
    // count). Through shared memory, each repaint first waits for the X
    // server to confirm it has read the last one, a round trip that wakes
    // the program twice more; sent in the request, it needs none.
    {"QT_XCB_NO_MITSHM", "1"},
}};

std::unique_ptr<QApplication> connectToDisplay(int& argc, char** argv) {
    std::array<std::optional<std::string>, displaySettings.size()> given;
    for (std::size_t index = 0; index < displaySettings.size(); ++index) {
        const auto& [name, value] = displaySettings[index];
        if (const char* before = std::getenv(name)) {
            given[index] = before;
        }
        ::setenv(name, value, 1);
    }
    auto application = std::make_unique<QApplication>(argc, argv);
    for (std::size_t index = 0; index < displaySettings.size(); ++index) {
        const char* name = displaySettings[index].first;
        if (given[index]) {
            ::setenv(name, given[index]->c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    }
    return application;
}

} // namespace

std::unique_ptr<DesktopSession> openDesktopSession(int& argc, char** argv, std::string& reason) {
    if (!DisplayProbe::canReachX11(reason)) {
        return nullptr;
    }
    return std::make_unique<QtDesktopSession>(connectToDisplay(argc, argv));
}

} // namespace platform
