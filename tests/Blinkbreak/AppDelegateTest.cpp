#include "tests/Blinkbreak/BlinkbreakTestSupport.h"

#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Workspace.h"
#include "platform/foundation/URL.h"
#include "platform/runloop/RunLoop.h"

using namespace platform;

namespace {

using Lines = std::vector<std::string>;
using AppDelegateTest = blinkbreak_test::BlinkbreakTest;

constexpr double interval = 1200;

TEST_F(AppDelegateTest, LaunchLeavesOnlyTheStatusItemWithTheOpenEye) {
    ASSERT_EQ(Application::shared().windows().size(), 1u);
    EXPECT_EQ(Application::shared().windows()[0]->kind(), "status bar window");
    auto item = driver().statusItem();
    EXPECT_EQ(delegate().item, item);
    EXPECT_EQ(item->describeLength(), "18");
    auto& button = *item->button();
    EXPECT_EQ(button.title(), "Stretch Eyes");
    EXPECT_EQ(button.accessibilityHelp(), "Stretch Eyes");
    EXPECT_EQ(button.toolTip(), "Remind me to stretch eyes");
    EXPECT_FALSE(button.appearsDisabled());
    EXPECT_EQ(button.image()->describe(), "eye.fill 18x18 template");
    EXPECT_EQ(button.image()->accessibilityDescription(), "Toggle whether to be reminded of eye stretching");
    EXPECT_EQ(button.action(), "toggleStretchEyesWithSender:");
    EXPECT_EQ(button.target(), delegate().shared_from_this());
    EXPECT_EQ(button.sendActionMask(), 20u);
    EXPECT_TRUE(delegate().running);
    EXPECT_EQ(delegate().subscriptions.size(), 1u);
}

TEST_F(AppDelegateTest, EveryTwentyMinutesTheNewReminderReplacesTheOldOne) {
    driver().advance(interval - 1);
    EXPECT_EQ(reminderWindows().size(), 0u);
    driver().advance(1);
    auto first = reminderWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->title(), "Blinkbreak");
    EXPECT_EQ(windowEvents(), Lines{"windowShown Blinkbreak"});

    driver().advance(interval);
    auto second = reminderWindow();
    EXPECT_TRUE(first->isClosed());
    EXPECT_NE(second, first);
    EXPECT_EQ(windowEvents(), (Lines{"windowClosed Blinkbreak", "windowShown Blinkbreak"}));
}

TEST_F(AppDelegateTest, SwitchedOffNothingComesAndSwitchedOnAFreshPeriodStarts) {
    driver().advance(interval - 100);
    driver().click();
    EXPECT_FALSE(delegate().running);
    EXPECT_TRUE(delegate().subscriptions.empty());
    auto& button = *driver().statusItem()->button();
    EXPECT_EQ(button.image()->symbolName(), "eye.slash.fill");
    EXPECT_EQ(button.image()->accessibilityDescription(), "Toggle whether to be reminded of eye stretching");
    EXPECT_EQ(button.toolTip(), "Remind me to stretch eyes") << "the tooltip is set once, at launch";
    driver().advance(3 * interval);
    EXPECT_EQ(reminderWindows().size(), 0u);

    driver().click();
    EXPECT_TRUE(delegate().running);
    EXPECT_EQ(button.image()->symbolName(), "eye.fill");
    EXPECT_EQ(button.toolTip(), "Remind me to stretch eyes");
    driver().advance(interval - 1);
    EXPECT_EQ(reminderWindows().size(), 0u) << "the time waited before switching off is not kept";
    driver().advance(1);
    EXPECT_EQ(reminderWindows().size(), 1u);
}

TEST_F(AppDelegateTest, SwitchingOffLeavesAnOpenReminderAndSwitchingOnDoesNotRaiseOne) {
    driver().advance(interval);
    auto open = reminderWindow();
    driver().click();
    driver().click();
    EXPECT_EQ(reminderWindows(), (std::vector{open}));
    driver().advance(interval);
    EXPECT_TRUE(open->isClosed());
    EXPECT_EQ(reminderWindows().size(), 1u);
}

TEST_F(AppDelegateTest, RemindersComeWhileAMenuIsBeingTracked) {
    RunLoop::main().pushMode(RunLoop::Mode::eventTracking);
    driver().advance(interval);
    RunLoop::main().popMode();
    EXPECT_EQ(reminderWindows().size(), 1u);
}

TEST_F(AppDelegateTest, ARightClickQuitsWithoutSwitchingAnythingOff) {
    driver().rightClick();
    EXPECT_TRUE(session.isTerminated());
    EXPECT_TRUE(delegate().running);
    EXPECT_EQ(delegate().subscriptions.size(), 1u);
    EXPECT_EQ(driver().statusItem()->button()->image()->symbolName(), "eye.fill");
}

TEST_F(AppDelegateTest, AnActionWithoutACurrentEventCountsAsALeftClick) {
    ASSERT_FALSE(Application::shared().currentEvent());
    delegate().toggleStretchEyes(nullptr);
    EXPECT_FALSE(delegate().running);
    EXPECT_FALSE(session.isTerminated());
}

TEST_F(AppDelegateTest, AnyURLOfTheProgramsSchemeOpensAReminderWindow) {
    EXPECT_TRUE(Workspace::shared().open(*URL::fromString("blinkbreak://elsewhere?x=1")));
    EXPECT_EQ(reminderWindows().size(), 0u) << "the URL comes back on a later turn";
    driver().settle();
    auto window = reminderWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->title(), "Blinkbreak");
    EXPECT_TRUE(window->styleMask() & WindowStyleMask::fullSizeContentView) << "the title bar is hidden";

    // A second URL while it is open brings that window forward.
    Workspace::shared().open(*URL::fromString("Blinkbreak://Blinkbreak"));
    driver().settle();
    EXPECT_EQ(reminderWindows(), (std::vector{window}));
}

TEST_F(AppDelegateTest, StatusBarLevelWindowsAreNeverClosedMovedOrRelevelled) {
    auto statusWindow = driver().statusItem()->button()->window();
    ASSERT_NE(statusWindow, nullptr);
    auto other = Window::make();
    other->setLevel(WindowLevel::statusBar);
    other->orderFront();
    auto ordinary = Window::make();
    ordinary->orderFront();

    driver().advance(interval);
    EXPECT_TRUE(ordinary->isClosed());
    for (const auto& window : {statusWindow, other}) {
        EXPECT_FALSE(window->isClosed());
        EXPECT_EQ(window->level(), WindowLevel::statusBar);
        EXPECT_EQ(window->collectionBehavior(), WindowCollectionBehavior::defaultBehavior);
    }
    Blinkbreak::AppDelegate::floatReminderWindows();
    Blinkbreak::AppDelegate::closeReminderWindows();
    EXPECT_EQ(reminderWindows(), (std::vector{other}));
    EXPECT_EQ(other->level(), WindowLevel::statusBar);
    EXPECT_FALSE(statusWindow->isClosed());
}

TEST_F(AppDelegateTest, BecomingActiveWritesHuh) {
    EXPECT_EQ(debugLines.str(), "\"huh\"\n") << "launching makes the program active";
    driver().deactivate();
    driver().activate();
    EXPECT_EQ(debugLines.str(), "\"huh\"\n\"huh\"\n");
}

} // namespace
