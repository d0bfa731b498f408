#pragma once

#include "tests/support/TemporaryHome.h"

#include "Blinkbreak/AppDelegate.h"
#include "Blinkbreak/BlinkbreakApp.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"
#include "platform/foundation/DebugLine.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/views/HostingController.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace blinkbreak_test {

// The program launched on the headless window server and the virtual clock,
// with a fresh home and its debug lines captured.
class BlinkbreakTest : public ::testing::Test {
protected:
    BlinkbreakTest() {
        platform::setDebugOutput(&debugLines);
        session.launch<Blinkbreak::BlinkbreakApp>();
        driver().takeEvents();
    }
    ~BlinkbreakTest() override { platform::setDebugOutput(nullptr); }

    platform::HeadlessDriver& driver() { return session.driver(); }
    Blinkbreak::AppDelegate& delegate() { return *session.delegateAs<Blinkbreak::AppDelegate>(); }

    // The open windows that are not the status item's, oldest first.
    static std::vector<std::shared_ptr<platform::Window>> reminderWindows() {
        std::vector<std::shared_ptr<platform::Window>> found;
        for (const auto& window : platform::Application::shared().windows()) {
            if (window->kind() != "status bar window") {
                found.push_back(window);
            }
        }
        return found;
    }
    // The only reminder window; fails the test when there is not exactly one.
    std::shared_ptr<platform::Window> reminderWindow() {
        auto windows = reminderWindows();
        EXPECT_EQ(windows.size(), 1u);
        return windows.size() == 1 ? windows.front() : nullptr;
    }
    static platform::HostingController& hosting(const platform::Window& window) {
        return dynamic_cast<platform::HostingController&>(*window.contentViewController());
    }
    // The kinds of the window server's events since the last call, with the
    // window titles where there is one ("windowShown Blinkbreak").
    std::vector<std::string> windowEvents() {
        std::vector<std::string> lines;
        for (const auto& event : driver().takeEvents()) {
            if (event.kind.starts_with("window")) {
                lines.push_back(event.kind + " " + event.text("title").value_or(""));
            }
        }
        return lines;
    }

    menulets::testing::TemporaryHome home;
    std::ostringstream debugLines;
    platform::HeadlessSession session{{platform::Date{1'780'000'000}, "dev.menulets.Blinkbreak"}};
};

} // namespace blinkbreak_test
