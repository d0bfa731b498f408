#include "platform/qt/QtDesktopSession.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/SceneController.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/Bundle.h"
#include "platform/qt/QtWindowServer.h"
#include "platform/qt/SingleInstance.h"
#include "platform/qt/TrayProtocol.h"
#include "platform/runloop/TerminationSignals.h"

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <variant>
#include <iostream>

namespace platform {

namespace {

// "Carryover" for "dev.menulets.Carryover".
std::string applicationName(const std::string& bundleIdentifier) {
    auto dot = bundleIdentifier.rfind('.');
    return dot == std::string::npos ? bundleIdentifier : bundleIdentifier.substr(dot + 1);
}

} // namespace

QtDesktopSession::QtDesktopSession(std::unique_ptr<QApplication> application)
    : application_(std::move(application)) {}

QtDesktopSession::~QtDesktopSession() {
    // The model goes before the window server that shows it, and both
    // before Qt, whose objects the server owns.
    Application::shared().reset();
    scenes_.reset();
    app_.reset();
    Backend::install(nullptr);
    server_.reset();
    // What was handed to Qt for deletion (a closed menu's popup) goes now,
    // while Qt is still there.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int QtDesktopSession::run(const AppLaunch& launch, const std::optional<LaunchRequest>& request) {
    const std::string name = applicationName(launch.bundleIdentifier);
    QApplication::setApplicationName(QString::fromStdString(name));
    // Docks and task bars match the windows to the installed entry by it.
    QGuiApplication::setDesktopFileName(QString::fromStdString(launch.bundleIdentifier));
    // The installed application icon, on the windows where task bars show it.
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QString::fromStdString(launch.bundleIdentifier)));
    QApplication::setQuitOnLastWindowClosed(false);

    // A file named on the command line is relative to where it was typed.
    auto normalized = request;
    if (normalized && normalized->kind == LaunchRequest::Kind::dropFile) {
        std::error_code error;
        auto absolute = std::filesystem::absolute(normalized->target, error);
        if (!error) {
            normalized->target = absolute.lexically_normal().string();
        }
    }
    std::string placeError;
    const auto place = SingleInstance::Place::forProgram(launch.bundleIdentifier, &placeError);
    // Held until the program ends: no other copy of it runs meanwhile.
    std::optional<SingleInstance::Claimed> claimed;
    if (place) {
        // Long enough for a copy that is starting (its panel wait included)
        // to listen, or one that is ending to let go.
        auto claim = SingleInstance::claim(*place, normalized, std::chrono::seconds(10));
        if (auto* handed = std::get_if<SingleInstance::HandedOver>(&claim)) {
            if (!normalized) {
                std::cerr << name << ": already running; brought to the front\n";
            } else if (!handed->accepted) {
                std::cerr << name << ": the running " << name << " refused the request\n";
            }
            return handed->accepted ? 0 : 1;
        }
        if (auto* silent = std::get_if<SingleInstance::NotAnswered>(&claim)) {
            std::cerr << name << ": " << silent->reason << "\n";
            return 1;
        }
        claimed = std::move(std::get<SingleInstance::Claimed>(claim));
    } else {
        std::cerr << name << ": " << placeError << "; later starts cannot reach this one\n";
    }
    // A panel started with the program (both at login) gets a moment to
    // come up, so that the icons go to it.
    TrayProtocol::settle(std::chrono::seconds(2));
    std::optional<SingleInstance> instance;
    if (place) {
        instance.emplace(place->socketPath, [this](const LaunchRequest& handed) { return server_->perform(handed); });
        instance->setPlainStartHandler([this] { server_->bringForward(); });
    }
    Bundle::setMainBundleIdentifier(launch.bundleIdentifier.empty() ? std::nullopt
                                                                    : std::optional(launch.bundleIdentifier));
    UserDefaults::resetStandard();
    server_ = std::make_shared<QtWindowServer>(name, launch.bundleIdentifier);
    Backend::install(server_);

    // Termination wrote the defaults already; what is left is to leave Qt's
    // loop once the event that asked for it has been handled.
    Application::shared().setExitHandler([this](int exitStatus) {
        terminated_ = true;
        status_ = exitStatus;
        QApplication::exit(exitStatus);
    });

    app_ = launch.makeApp ? launch.makeApp() : nullptr;
    scenes_ = std::make_unique<SceneController>(name, app_ ? app_->body() : std::vector<Scene>{});
    scenes_->install();
    auto& application = Application::shared();
    if (app_) {
        application.setURLSchemes(app_->urlSchemes());
    }
    application.setDelegate(launch.makeDelegate ? launch.makeDelegate() : nullptr);
    application.finishLaunching([this] { scenes_->openLaunchWindows(); });
    server_->start();
    // Ended from outside (kill, a logout, Ctrl-C): terminate as a quit does,
    // writing what is pending.
    std::unique_ptr<QSocketNotifier> endedFromOutside;
    if (TerminationSignals::descriptor() >= 0) {
        endedFromOutside = std::make_unique<QSocketNotifier>(TerminationSignals::descriptor(), QSocketNotifier::Read);
        QObject::connect(endedFromOutside.get(), &QSocketNotifier::activated, [] {
            if (TerminationSignals::take()) {
                Application::shared().terminate(nullptr);
            }
        });
    }
    if (normalized && !terminated_ && !server_->perform(*normalized)) {
        std::cerr << name << ": the request was refused\n";
    }
    if (terminated_) {
        return status_;
    }
    QApplication::exec();
    return status_;
}

} // namespace platform
