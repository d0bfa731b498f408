#pragma once

#include "platform/appkit/App.h"
#include "platform/foundation/Date.h"
#include "platform/headless/HeadlessDriver.h"

#include <memory>
#include <optional>
#include <string>

namespace platform {

class HeadlessWindowServer;
class SceneController;

// One run of a program on the headless window server, from a clean start:
// the clock (virtual from `clockStart`, else real), the bundle identifier,
// an empty status bar, a fresh application and run loop. Tests make one per
// case; the console runs a program inside one. Everything is reset again
// when the session ends.
class HeadlessSession {
public:
    struct Options {
        std::optional<Date> clockStart;
        std::string bundleIdentifier;
    };

    explicit HeadlessSession(Options options);
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    // Makes the entry type and its delegate, opens the launch windows of its
    // scenes, finishes launching (the delegate's did-finish-launching runs)
    // and lets the run loop settle.
    void launch(const AppLaunch& launch);
    template <typename EntryType>
    void launch() {
        launch(appLaunch<EntryType>());
    }

    HeadlessWindowServer& server() { return *server_; }
    HeadlessDriver& driver() { return driver_; }
    App* app() const { return app_.get(); }
    std::shared_ptr<ApplicationDelegate> delegate() const;
    template <typename Delegate>
    std::shared_ptr<Delegate> delegateAs() const {
        return std::dynamic_pointer_cast<Delegate>(delegate());
    }

    // The program asked to end (its exit status is then 0). The session
    // keeps it from leaving the process unless the console asks for that.
    bool isTerminated() const { return terminated_; }
    int exitStatus() const { return exitStatus_; }

    // "Carryover" for "dev.menulets.Carryover".
    static std::string applicationName(const std::string& bundleIdentifier);

private:
    static void resetPlatform();

    std::shared_ptr<HeadlessWindowServer> server_;
    HeadlessDriver driver_;
    std::unique_ptr<App> app_;
    std::unique_ptr<SceneController> scenes_;
    std::string applicationName_;
    bool terminated_ = false;
    int exitStatus_ = 0;
};

} // namespace platform
