#include "tests/support/TemporaryHome.h"

#include "Durovevadi/AppDelegate.h"
#include "Durovevadi/DizuderizuApp.h"

#include "platform/appkit/AppleScript.h"
#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/ScriptResult.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/defaults/GlobalDomainWriter.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/appkit/SystemEvents.h"
#include "platform/defaults/GlobalAppearance.h"
#include "platform/headless/HeadlessWindowServer.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {

using Lines = std::vector<std::string>;

// A fresh home whose system appearance the test sets, and the program
// started on the headless window server, whose System Events switches it.
class DurovevadiTest : public ::testing::Test {
protected:
    void TearDown() override {
        session.reset();
        UserDefaults::standard().synchronize();
    }
    void launch() {
        session.reset();
        session = std::make_unique<HeadlessSession>(HeadlessSession::Options{Date{1'780'000'000}, "dev.menulets.Durovevadi"});
        session->launch<Durovevadi::DizuderizuApp>();
        driver().takeEvents();
    }
    // The system setting, as the user sets it in the system settings.
    static void setSystemStyle(const std::string& style) {
        ASSERT_TRUE(GlobalDomainWriter().set(PropertyList(style), "AppleInterfaceStyle"));
    }
    HeadlessDriver& driver() { return session->driver(); }
    Durovevadi::AppDelegate& delegate() { return *session->delegateAs<Durovevadi::AppDelegate>(); }
    StatusBarButton& button() { return *driver().statusItem()->button(); }
    std::string icon() { return button().image()->symbolName(); }
    // A click on the item, with what it printed.
    std::string clickPrinting(bool right = false) {
        ::testing::internal::CaptureStdout();
        if (right) {
            driver().rightClick();
        } else {
            driver().click();
        }
        return ::testing::internal::GetCapturedStdout();
    }
    // The appearance switches and the end of the program.
    Lines happenings() {
        Lines lines;
        for (const auto& event : driver().takeEvents()) {
            if (event.kind == "appearance" || event.kind == "terminate") {
                lines.push_back(event.describe());
            }
        }
        return lines;
    }

    menulets::testing::TemporaryHome home;
    std::unique_ptr<HeadlessSession> session;
};

TEST_F(DurovevadiTest, StartsInLightModeWithTheSunAndSwitchesToTheMoon) {
    launch();
    for (const auto& window : Application::shared().windows()) {
        EXPECT_EQ(window->kind(), "status bar window");
    }
    EXPECT_EQ(driver().statusItem()->describeLength(), "18");
    EXPECT_EQ(button().title(), "Toggle Dark Mode");
    EXPECT_EQ(button().accessibilityHelp(), "Toggle Dark Mode");
    EXPECT_EQ(button().toolTip(), "Toggle Dark Mode");
    EXPECT_FALSE(button().appearsDisabled());
    EXPECT_EQ(button().sendActionMask(), EventMask::leftMouseUp | EventMask::rightMouseUp);
    EXPECT_EQ(button().image()->describe(), "sun.max.fill 18x18 template");
    EXPECT_EQ(button().image()->accessibilityDescription(), "Toggle Dark Mode");

    EXPECT_EQ(clickPrinting(), "Left click!\n");
    EXPECT_TRUE(GlobalAppearance::isDark());
    EXPECT_EQ(happenings(), Lines{"appearance style=\"Dark\""});
    // A fresh symbol each time, at its own size: setup alone sizes it.
    EXPECT_EQ(button().image()->describe(), "moon.stars.fill 15x17 template");
    EXPECT_EQ(button().image()->accessibilityDescription(), "Toggle Dark Mode");

    EXPECT_EQ(clickPrinting(), "Left click!\n");
    EXPECT_FALSE(GlobalAppearance::isDark());
    EXPECT_EQ(happenings(), Lines{"appearance style=\"Light\""});
    EXPECT_EQ(button().image()->describe(), "sun.max.fill 17x17 template");
}

TEST_F(DurovevadiTest, StartsInDarkModeWithTheMoon) {
    setSystemStyle("Dark");
    launch();
    EXPECT_EQ(button().image()->describe(), "moon.stars.fill 18x18 template");
    driver().click();
    EXPECT_FALSE(GlobalAppearance::isDark());
    EXPECT_EQ(icon(), "sun.max.fill");
}

TEST_F(DurovevadiTest, OnlyTheExactValueLightShowsTheSun) {
    for (const auto& [style, symbol] : std::vector<std::pair<std::string, std::string>>{
             {"Light", "sun.max.fill"},
             {"Dark", "moon.stars.fill"},
             {"light", "moon.stars.fill"},
             {"Light ", "moon.stars.fill"},
             {"", "moon.stars.fill"},
             {"Sepia", "moon.stars.fill"}}) {
        setSystemStyle(style);
        launch();
        EXPECT_EQ(icon(), symbol) << '"' << style << '"';
    }
}

TEST_F(DurovevadiTest, TheIconFollowsTheSettingAsTheProgramsDefaultsSeeIt) {
    setSystemStyle("Dark");
    launch();
    // The program's own domain lies above the global one.
    UserDefaults::standard().set("Light", "AppleInterfaceStyle");
    delegate().updateIcon();
    EXPECT_EQ(icon(), "sun.max.fill");
    ASSERT_TRUE(GlobalDomainWriter().removeObject("AppleInterfaceStyle"));
    UserDefaults::standard().set("Dark", "AppleInterfaceStyle");
    delegate().updateIcon();
    EXPECT_EQ(icon(), "moon.stars.fill");
}

TEST_F(DurovevadiTest, ARightClickQuitsWithoutToggling) {
    launch();
    EXPECT_EQ(clickPrinting(true), "");
    EXPECT_EQ(happenings(), Lines{"terminate status=0"});
    EXPECT_TRUE(session->isTerminated());
    EXPECT_FALSE(GlobalAppearance::isDark());
}

TEST_F(DurovevadiTest, AFailingScriptLeavesSettingAndIconAsTheyWere) {
    setSystemStyle("Dark");
    launch();
    session->server().setScriptAnswer(SystemEvents::applicationName,
                                      ScriptResult::failure("Not authorized to send Apple events to System Events.",
                                                            -1743, SystemEvents::applicationName));
    EXPECT_EQ(clickPrinting(), "Left click!\n");
    EXPECT_TRUE(GlobalAppearance::isDark());
    EXPECT_EQ(happenings(), Lines{});
    // Read again from the unchanged setting: the same symbol.
    EXPECT_EQ(icon(), "moon.stars.fill");
}

// System Events is sent exactly this text; the headless one only looks for
// its statements, so the text itself is held here.
TEST(ToggleScriptTest, IsFiveLinesWithoutAFinalLineFeed) {
    const std::string_view script = Durovevadi::AppDelegate::toggleScript;
    EXPECT_EQ(script.size(), 125u);
    EXPECT_EQ(script, "tell application \"System Events\"\n"
                      "    tell appearance preferences\n"
                      "        set dark mode to not dark mode\n"
                      "    end tell\n"
                      "end tell");
    auto compiled = AppleScript::withSource(std::string(script));
    ASSERT_TRUE(compiled);
    EXPECT_EQ(compiled->targetApplication(), "System Events");
}

} // namespace
