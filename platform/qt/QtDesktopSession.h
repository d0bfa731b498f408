#pragma once

#include "platform/console/DesktopSession.h"

#include <memory>

class QApplication;

namespace platform {

class App;
class QtWindowServer;
class SceneController;

// A program's run inside Qt's event loop: the application object, the
// window server installed as the backend, and the launch. The platform's
// run loop is driven from Qt's (QtRunLoopDriver); terminating the program
// leaves Qt's loop, and the tray icons go with the session.
class QtDesktopSession final : public DesktopSession {
public:
    // `application` is made by the factory, which has checked the display.
    explicit QtDesktopSession(std::unique_ptr<QApplication> application);
    ~QtDesktopSession() override;

    int run(const AppLaunch& launch, const std::optional<LaunchRequest>& request) override;

private:
    std::unique_ptr<QApplication> application_;
    std::shared_ptr<QtWindowServer> server_;
    std::unique_ptr<App> app_;
    std::unique_ptr<SceneController> scenes_;
    bool terminated_ = false;
    int status_ = 0;
};

} // namespace platform
