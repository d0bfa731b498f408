#include "platform/appkit/AppleScript.h"
#include "platform/appkit/Application.h"
#include "platform/appkit/Panel.h"
#include "platform/appkit/RunningApplication.h"
#include "platform/appkit/Sound.h"
#include "platform/appkit/Workspace.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/URL.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "tests/support/TemporaryHome.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class HeadlessWindowServerTest : public ::testing::Test {
protected:
    std::string describeEvents() {
        std::string out;
        for (const auto& event : session.driver().takeEvents()) {
            out += event.describe() + "\n";
        }
        return out;
    }

    menulets::testing::TemporaryHome home;
    HeadlessSession session{{Date{0}, "dev.menulets.Test"}};
    HeadlessWindowServer& server = session.server();
};

TEST_F(HeadlessWindowServerTest, URLsOpenWhenSomeApplicationHandlesThemAndBundlesLaunch) {
    const std::string folder = home.path() + "/Applications";
    std::filesystem::create_directories(folder + "/Calculator.app");
    auto& workspace = Workspace::shared();
    EXPECT_TRUE(workspace.open(*URL::fromString("https://a.example/")));
    EXPECT_FALSE(workspace.open(*URL::fromString("gopher://b.example/")));
    EXPECT_FALSE(workspace.open(*URL::fromString("--help"))) << "without a scheme it never reaches an opener";
    EXPECT_TRUE(workspace.open(URL::fileURL(folder)));
    EXPECT_FALSE(workspace.open(URL::fileURL(folder + "/Missing.app")));
    const URL calculator = URL::fileURL(folder + "/Calculator.app");
    EXPECT_TRUE(workspace.launchApplication(calculator));
    EXPECT_EQ(describeEvents(), "opened url=\"https://a.example/\"\n"
                                "openFailed url=\"gopher://b.example/\"\n"
                                "opened url=\"" + URL::fileURL(folder).absoluteString() + "\"\n"
                                "openFailed url=\"" + URL::fileURL(folder + "/Missing.app").absoluteString() + "\"\n"
                                "launched url=\"" + calculator.absoluteString() + "\" name=\"Calculator\"\n");
    auto running = workspace.runningApplications();
    ASSERT_EQ(running.size(), 2u);
    EXPECT_EQ(running[0].bundleURL, calculator);
    EXPECT_EQ(running[1].localizedName, "Test") << "the program itself is listed last";
}

TEST_F(HeadlessWindowServerTest, TheFrontmostApplicationIsWhatTheDriverSets) {
    EXPECT_EQ(Workspace::shared().frontmostApplication(), std::nullopt);
    server.setFrontmostApplication(RunningApplication{"Safari", std::nullopt, std::nullopt, 0});
    EXPECT_EQ(Workspace::shared().frontmostApplication()->localizedName, "Safari");
}

TEST_F(HeadlessWindowServerTest, TheDarkModeScriptFlipsTheAppearanceProgramsReadFromTheirDefaults) {
    auto toggle = AppleScript::withSource("tell application \"System Events\"\n    tell appearance preferences\n"
                                          "        set dark mode to not dark mode\n    end tell\nend tell");
    ASSERT_TRUE(toggle);
    EXPECT_EQ(UserDefaults::standard().string("AppleInterfaceStyle"), std::nullopt);
    ScriptErrorInfo error;
    toggle->executeAndReturnError(&error);
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(UserDefaults::standard().string("AppleInterfaceStyle"), "Dark");
    toggle->executeAndReturnError(&error);
    EXPECT_EQ(UserDefaults::standard().string("AppleInterfaceStyle"), std::nullopt);
    EXPECT_EQ(describeEvents(), "appearance style=\"Dark\"\nappearance style=\"Light\"\n");
    EXPECT_EQ(AppleScript::withSource("tell application \"System Events\" to get dark mode of appearance preferences")
                  ->executeAndReturnError(),
              "false");
}

TEST_F(HeadlessWindowServerTest, OnlyTheSystemsSoundsExistAndPlayingThemIsReported) {
    EXPECT_EQ(Sound::named("Ping"), nullptr);
    ASSERT_NE(Sound::named("Sosumi"), nullptr);
    EXPECT_TRUE(Sound::named("Sosumi")->play());
    EXPECT_EQ(describeEvents(), "sound name=\"Sosumi\"\n");
}

TEST_F(HeadlessWindowServerTest, PanelsThatHideOnDeactivationComeBackOnActivation) {
    Application::shared().finishLaunching();
    auto panel = Panel::make();
    panel->setTitle("Tool");
    panel->orderFront();
    auto window = Window::make();
    window->setTitle("Plain");
    window->orderFront();
    describeEvents();
    session.driver().deactivate();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(window->isVisible());
    session.driver().activate();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(describeEvents(), "windowHidden window=" + std::to_string(panel->windowNumber()) +
                                    " kind=\"panel\" title=\"Tool\"\n"
                                    "activation active=false\n"
                                    "windowShown window=" + std::to_string(panel->windowNumber()) +
                                    " kind=\"panel\" title=\"Tool\" level=0\n"
                                    "activation active=true\n");
}

TEST(HeadlessEventTest, TextAndJSONFormsEscapeControlCharactersAndQuotes) {
    HeadlessEvent event("statusItem");
    event.with("item", 0).with("toolTip", "Line \"one\"\nline two").with("appearsDisabled", false).with("size", 2.5);
    EXPECT_EQ(event.describe(), "statusItem item=0 toolTip=\"Line \\\"one\\\"\\nline two\" appearsDisabled=false size=2.5");
    EXPECT_EQ(event.toJSON(), "{\"event\":\"statusItem\",\"item\":0,\"toolTip\":\"Line \\\"one\\\"\\nline two\","
                              "\"appearsDisabled\":false,\"size\":2.5}");
    EXPECT_EQ(jsonString(std::string("\x01", 1)), "\"\\u0001\"");
}

} // namespace
