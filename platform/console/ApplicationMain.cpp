#include "platform/appkit/App.h"
#include "platform/appkit/Application.h"
#include "platform/console/Console.h"
#include "platform/console/ConsoleOutput.h"
#include "platform/foundation/Diagnostics.h"
#include "platform/console/DesktopSession.h"
#include "platform/console/LaunchOptions.h"
#include "platform/foundation/URL.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/TerminationSignals.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace platform {

namespace {

bool hasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

std::string programName(int argc, char** argv, const std::string& fallback) {
    if (argc > 0 && argv[0] != nullptr) {
        std::string path = argv[0];
        auto slash = path.rfind('/');
        return slash == std::string::npos ? path : path.substr(slash + 1);
    }
    return fallback;
}

} // namespace

int runApplicationMain(int argc, char** argv, const AppLaunch& launch) {
    const std::string name = programName(argc, argv, HeadlessSession::applicationName(launch.bundleIdentifier));
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::string error;
    auto options = LaunchOptions::parse(arguments, &error);
    if (!options) {
        std::cerr << name << ": " << error << "\n" << "usage: " << name
                  << " [--headless] [--json] [--clock DATE-TIME] [--help]\n"
                  << "       " << name << " --drop-url URL [TITLE] | --drop-file PATH | --open-url URL\n";
        return 2;
    }
    if (options->help) {
        for (const auto& line : Console::helpText(name)) {
            std::cout << line << '\n';
        }
        return 0;
    }
    // A virtual clock and JSON reports belong to the console, so they keep it.
    const bool consoleOnly = options->headless || options->json || options->clockStart;
    if (!consoleOnly && hasDisplay()) {
        std::string reason;
        if (auto desktop = openDesktopSession(argc, argv, reason)) {
            // Its loop watches for being ended from outside too.
            TerminationSignals::capture();
            return desktop->run(launch, options->request);
        }
        if (options->request) {
            std::cerr << name << ": " << reason << "; requests go to the program on the desktop\n";
            return 2;
        }
        std::cerr << name << ": " << reason << "; running headless\n";
    } else if (options->request) {
        // The console has its own commands for drops (drop-url, drop-file).
        std::cerr << name << ": requests go to the program on the desktop, not the console\n";
        return 2;
    }

    // On the real clock the console's loop watches for being ended from outside.
    if (!options->clockStart) {
        TerminationSignals::capture();
    }
    HeadlessSession session({options->clockStart, launch.bundleIdentifier});
    ConsoleOutput output(std::cerr, options->json);
    session.server().setListener([&output](const HeadlessEvent& event) { output.event(event); });
    // Never undone: the output lives until the process ends, exit handlers included.
    Diagnostics::setSink([&output](const std::string& line) { output.diagnostic(line); });
    // The end of the program ends the process at once, as on the platform;
    // the user defaults were written by the termination itself.
    Application::shared().setExitHandler([&session](int status) {
        session.server().flush();
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        std::_Exit(status);
    });

    session.launch(launch);
    Console console(session, output);
    if (Clock::current().isVirtual()) {
        console.run(std::cin);
    } else {
        console.runWithRealClock(STDIN_FILENO);
    }
    return session.exitStatus();
}

} // namespace platform
