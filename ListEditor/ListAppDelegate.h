#pragma once

#include "platform/appkit/Application.h"
#include "platform/appkit/ApplicationDelegate.h"
#include "platform/appkit/Window.h"

#include <memory>

namespace ListEditor {

// The delegate of a list program: at launch it closes the window group's
// window, so only the status item remains, and makes the `Button`; the list
// window goes away whenever the program stops being active, like a menu.
template <typename Button>
class ListAppDelegate : public platform::ApplicationDelegate {
public:
    // Absent until launching has finished; then kept for the whole run.
    std::shared_ptr<Button> barButton;

    void applicationDidFinishLaunching() override {
        auto windows = platform::Application::shared().windows();
        if (!windows.empty()) {
            windows.front()->close();
        }
        barButton = Button::make();
    }

    void applicationDidResignActive() override {
        auto controller = barButton ? barButton->windowController() : nullptr;
        if (auto window = controller ? controller->window() : nullptr) {
            window->close();
        }
    }

    // However the program ends, the last edits are not lost to the save delay.
    void applicationWillTerminate() override {
        if (barButton) {
            barButton->store()->saveWaitingList();
        }
    }
};

} // namespace ListEditor
