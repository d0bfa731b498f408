#include "platform/headless/HeadlessSession.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/SceneController.h"
#include "platform/appkit/StatusBar.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/SaveFailures.h"
#include "platform/foundation/Bundle.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/RunLoop.h"

namespace platform {

namespace {

std::shared_ptr<HeadlessWindowServer> makeServer(const HeadlessSession::Options& options) {
    return std::make_shared<HeadlessWindowServer>(HeadlessSession::applicationName(options.bundleIdentifier),
                                                  options.bundleIdentifier);
}

} // namespace

std::string HeadlessSession::applicationName(const std::string& bundleIdentifier) {
    auto dot = bundleIdentifier.rfind('.');
    return dot == std::string::npos ? bundleIdentifier : bundleIdentifier.substr(dot + 1);
}

void HeadlessSession::resetPlatform() {
    Application::shared().reset();
    SaveFailures::reset();
    StatusBar::system().reset();
    RunLoop::main().reset();
}

HeadlessSession::HeadlessSession(Options options)
    : server_(makeServer(options)), driver_(*server_), applicationName_(applicationName(options.bundleIdentifier)) {
    resetPlatform();
    if (options.clockStart) {
        Clock::install(std::make_shared<VirtualClock>(*options.clockStart));
    } else {
        Clock::install(std::make_shared<RealClock>());
    }
    Bundle::setMainBundleIdentifier(options.bundleIdentifier.empty() ? std::nullopt
                                                                     : std::optional(options.bundleIdentifier));
    UserDefaults::resetStandard();
    Backend::install(server_);
    Application::shared().setExitHandler([this](int status) {
        terminated_ = true;
        exitStatus_ = status;
    });
}

HeadlessSession::~HeadlessSession() {
    // Whoever listens may be gone already; what the teardown shows is of no interest.
    server_->setListener({});
    resetPlatform();
    scenes_.reset();
    app_.reset();
    Backend::install(nullptr);
    Clock::install(std::make_shared<RealClock>());
}

std::shared_ptr<ApplicationDelegate> HeadlessSession::delegate() const { return Application::shared().delegate(); }

void HeadlessSession::launch(const AppLaunch& launch) {
    auto& application = Application::shared();
    app_ = launch.makeApp ? launch.makeApp() : nullptr;
    scenes_ = std::make_unique<SceneController>(applicationName_, app_ ? app_->body() : std::vector<Scene>{});
    scenes_->install();
    if (app_) {
        application.setURLSchemes(app_->urlSchemes());
    }
    application.setDelegate(launch.makeDelegate ? launch.makeDelegate() : nullptr);
    application.finishLaunching([this] { scenes_->openLaunchWindows(); });
    driver_.settle();
}

} // namespace platform
