#pragma once

#include "platform/appkit/Scene.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

class URL;

class Window;

// Turns an application's scenes into windows: the first window group's
// window at launch, a group's window for each URL opened for the program,
// the settings window on request.
class SceneController {
public:
    SceneController(std::string applicationName, std::vector<Scene> scenes);

    // Installs the application's settings action and URL handler.
    void install();
    // The launch window of the first window group, if there is a group.
    void openLaunchWindows();
    void handleURL(const URL& url);
    void showSettings();

    bool hasSettings() const;

private:
    std::shared_ptr<Window> openWindow(std::size_t groupIndex);

    std::string applicationName_;
    std::vector<Scene> scenes_;
    // The windows each group made, in its order of the scenes.
    std::vector<std::vector<std::weak_ptr<Window>>> groupWindows_;
    std::shared_ptr<Window> settingsWindow_;
};

} // namespace platform
