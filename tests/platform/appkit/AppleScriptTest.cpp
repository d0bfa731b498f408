#include "platform/appkit/AppleScript.h"
#include "platform/appkit/ScriptResult.h"
#include "platform/foundation/URL.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(AppleScriptTest, CompilingFindsTheTargetApplicationAndRejectsUnbalancedSources) {
    auto chrome = AppleScript::withSource("tell app \"Google Chrome\" to get the url of the active tab of window 1");
    ASSERT_TRUE(chrome);
    EXPECT_EQ(chrome->targetApplication(), "Google Chrome");
    auto nested = AppleScript::withSource(
        "tell application \"System Events\"\n    tell appearance preferences\n        set dark mode to not dark "
        "mode\n    end tell\nend tell");
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->targetApplication(), "System Events");
    EXPECT_TRUE(AppleScript::withSource(""));
    EXPECT_FALSE(AppleScript::withSource("tell application \"Safari\"\nreturn 1"));
    EXPECT_FALSE(AppleScript::withSource("end tell"));
    EXPECT_FALSE(AppleScript::withSource("tell application \"Safari"));
    EXPECT_FALSE(AppleScript::withSource("tell application Safari to quit"));
}

TEST(AppleScriptTest, TheBackendAnswersForTheTargetOrReportsItIsNotRunning) {
    HeadlessSession session({Date{0}, "dev.menulets.Test"});
    auto script = *AppleScript::withSource("tell application \"Safari\" to return URL of front document");
    ScriptErrorInfo error;
    EXPECT_EQ(script.executeAndReturnError(&error), std::nullopt);
    EXPECT_EQ(error["NSAppleScriptErrorNumber"], "-600");

    session.server().setScriptAnswer("Safari", ScriptResult::value("https://www.apple.com/"));
    error.clear();
    EXPECT_EQ(script.executeAndReturnError(&error), "https://www.apple.com/");
    EXPECT_TRUE(error.empty());

    session.server().setScriptAnswer("Safari", ScriptResult::failure("Not authorized.", -1743, "Safari"));
    EXPECT_EQ(script.executeAndReturnError(&error), std::nullopt);
    EXPECT_EQ(describeScriptError(error), "{\n"
                                          "    NSAppleScriptErrorAppName = Safari;\n"
                                          "    NSAppleScriptErrorBriefMessage = \"Not authorized.\";\n"
                                          "    NSAppleScriptErrorMessage = \"Not authorized.\";\n"
                                          "    NSAppleScriptErrorNumber = -1743;\n"
                                          "}");
}

} // namespace
