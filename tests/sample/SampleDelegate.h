#pragma once

#include "platform/appkit/Application.h"
#include "platform/appkit/ApplicationDelegate.h"
#include "platform/appkit/Window.h"
#include "tests/sample/SampleController.h"

#include <memory>
#include <vector>

namespace sample {

class SampleDelegate : public platform::Object, public platform::ApplicationDelegate {
public:
    std::shared_ptr<SampleController> controller;
    std::vector<platform::URL> openedURLs;
    int resignations = 0;

    void applicationDidFinishLaunching() override {
        auto windows = platform::Application::shared().windows();
        if (!windows.empty()) {
            windows.front()->close();
        }
        controller = SampleController::make();
    }

    void applicationDidResignActive() override { ++resignations; }

    void applicationOpenURLs(const std::vector<platform::URL>& urls) override {
        openedURLs.insert(openedURLs.end(), urls.begin(), urls.end());
    }
};

} // namespace sample
