#pragma once

#include "platform/appkit/ApplicationDelegate.h"
#include "platform/appkit/Scene.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// A program's entry type: its scenes, and through a nested `Delegate` type
// the class of its application delegate.
//
//     class CarryoverApp : public platform::App {
//     public:
//         using Delegate = AppDelegate;
//         std::vector<platform::Scene> body() override;
//     };
//     int main(int argc, char** argv) { return platform::runApp<CarryoverApp>(argc, argv); }
class App {
public:
    virtual ~App() = default;
    virtual std::vector<Scene> body() = 0;
    // The URL schemes the program handles itself; the workspace routes their
    // URLs back into it.
    virtual std::vector<std::string> urlSchemes() const { return {}; }
};

// What runApp hands to the shared start-up code.
struct AppLaunch {
    std::string bundleIdentifier;
    // Called once the process is set up (clock, bundle, backend), so the
    // entry type and the delegate may read defaults in their constructors.
    std::function<std::unique_ptr<App>()> makeApp;
    std::function<std::shared_ptr<ApplicationDelegate>()> makeDelegate;
};

// Parses the command line (--headless, --json, --clock, --help), sets the
// process up, launches the application and runs it until it terminates.
int runApplicationMain(int argc, char** argv, const AppLaunch& launch);

// The launch description of an entry type: its bundle identifier (the
// program's compiled-in MENULETS_BUNDLE_IDENTIFIER, or the type's own
// `bundleIdentifier`), the type itself and its `Delegate`.
template <typename EntryType>
AppLaunch appLaunch() {
    AppLaunch launch;
#ifdef MENULETS_BUNDLE_IDENTIFIER
    launch.bundleIdentifier = MENULETS_BUNDLE_IDENTIFIER;
#endif
    if constexpr (requires { EntryType::bundleIdentifier; }) {
        launch.bundleIdentifier = EntryType::bundleIdentifier;
    }
    launch.makeApp = [] { return std::unique_ptr<App>(new EntryType()); };
    if constexpr (requires { typename EntryType::Delegate; }) {
        launch.makeDelegate = [] { return std::make_shared<typename EntryType::Delegate>(); };
    }
    return launch;
}

template <typename EntryType>
int runApp(int argc, char** argv) {
    return runApplicationMain(argc, argv, appLaunch<EntryType>());
}

} // namespace platform
