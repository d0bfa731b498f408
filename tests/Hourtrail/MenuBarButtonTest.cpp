#include "tests/Hourtrail/HourtrailTestSupport.h"

#include "Hourtrail/HourtrailApp.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"

using namespace platform;
using Hourtrail::ActivityTracker;
using Hourtrail::AppDelegate;
using Hourtrail::HourtrailApp;
using Hourtrail::MenuBarButton;
using hourtrail_test::storeOf;
using Lines = std::vector<std::string>;

namespace {

const Lines commandsWhileRunning{"  -----", "  Pause Tracking", "  Reset Times", "  Quit"};

class MenuBarButtonTest : public hourtrail_test::HourtrailTest {
protected:
    void launch() {
        session.launch<HourtrailApp>();
        barButton = session.delegateAs<AppDelegate>()->barButton;
        ASSERT_TRUE(barButton);
    }
    Lines menu() {
        driver().openMenu();
        auto lines = driver().menuLines();
        driver().closeMenu();
        return lines;
    }
    // The listing of the report menu: its title, then the entries.
    static Lines report(const Lines& entries, const Lines& commands = commandsWhileRunning) {
        Lines lines{"menu \"Apps\":"};
        lines.insert(lines.end(), entries.begin(), entries.end());
        lines.insert(lines.end(), commands.begin(), commands.end());
        return lines;
    }

    std::shared_ptr<MenuBarButton> barButton;
};

TEST_F(MenuBarButtonTest, LaunchLeavesOnlyTheHourglassItemWithItsEmptyReport) {
    launch();
    // The status item's own window is all that is left.
    const auto windows = driver().windowLines();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_NE(windows[0].find("status bar window"), std::string::npos) << windows[0];
    auto button = driver().statusItem()->button();
    EXPECT_EQ(button->title(), "");
    EXPECT_EQ(button->toolTip(),
              "Track active app time. \nClick to view info. \nOption click to reset. \nRight click to quit.");
    EXPECT_EQ(button->image()->describe(), "hourglass 22x22 template");
    EXPECT_EQ(driver().statusItem()->menu()->title(), "Apps");
    EXPECT_EQ(menu(), report({}));
}

TEST_F(MenuBarButtonTest, ListsApplicationsAboveAMinuteLongestFirstWithTheirWebsites) {
    store(storeOf({{"Xcode", 61}, {"Mail", 3600}, {"Notes", 59}, {"Terminal", 60}, {"Safari", 3700}},
                  {{"a.example", 30}, {"b.example", 120}, {"c.example", 90061}}));
    launch();
    EXPECT_EQ(menu(), report({"  Safari | 1h 1m >", "    c.example | 1d 1h 1m", "    b.example | 2m", "  Mail | 1h",
                              "  Xcode | 1m"}));
}

TEST_F(MenuBarButtonTest, ABrowserWithoutWebsitesAboveAMinuteHasNoSubmenu) {
    store(storeOf({{"Google Chrome", 600}}, {{"a.example", 60}}));
    launch();
    EXPECT_EQ(menu(), report({"  Google Chrome | 10m"}));
}

TEST_F(MenuBarButtonTest, PausingDisablesTheApplicationLinesButNotTheWebsites) {
    store(storeOf({{"Safari", 3700}, {"Mail", 120}}, {{"b.example", 120}}));
    launch();
    EXPECT_EQ(driver().choose("Pause Tracking"), ChooseResult::chosen);
    EXPECT_FALSE(barButton->tracker().trackerRunning());
    EXPECT_EQ(driver().statusItem()->button()->image()->symbolName(), "hourglass");
    EXPECT_EQ(menu(), report({"  Safari | 1h 1m >", "    b.example | 2m", "  Mail | 2m [disabled]"},
                             {"  -----", "  Resume Tracking", "  Reset Times", "  Quit"}));
    EXPECT_EQ(driver().choose("Mail | 2m"), ChooseResult::disabled);
    EXPECT_EQ(driver().choose("Safari | 1h 1m/b.example | 2m"), ChooseResult::chosen);

    EXPECT_EQ(driver().choose("Resume Tracking"), ChooseResult::chosen);
    EXPECT_EQ(driver().choose("Mail | 2m"), ChooseResult::chosen);
    EXPECT_EQ(barButton->tracker().store(), storeOf({{"Safari", 3700}, {"Mail", 120}}, {{"b.example", 120}}));
}

TEST_F(MenuBarButtonTest, ResetLeavesOnlyTheCommands) {
    store(storeOf({{"Mail", 3600}}));
    launch();
    EXPECT_EQ(driver().choose("Reset Times"), ChooseResult::chosen);
    EXPECT_EQ(menu(), report({}));
    EXPECT_EQ(stored(), Hourtrail::Store{});
}

TEST_F(MenuBarButtonTest, NothingIsCreditedWhileTheMenuIsOpen) {
    front("Mail");
    launch();
    driver().openMenu();
    advance(120);
    EXPECT_EQ(barButton->tracker().store(), Hourtrail::Store{});
    // The tick that fell due fires once as the menu closes; the others are lost.
    driver().closeMenu();
    EXPECT_EQ(barButton->tracker().store(), storeOf({{"Mail", 1}}));
    advance(60);
    EXPECT_EQ(menu(), report({"  Mail | 1m"}));
}

TEST_F(MenuBarButtonTest, QuitSavesTheCreditsThePeriodicSaveHasNotReached) {
    front("Mail");
    launch();
    advance(15);
    EXPECT_EQ(stored(), storeOf({{"Mail", 10}}));
    EXPECT_EQ(driver().choose("Quit"), ChooseResult::chosen);
    EXPECT_TRUE(session.isTerminated());
    EXPECT_EQ(stored(), storeOf({{"Mail", 15}}));
}

TEST_F(MenuBarButtonTest, QuitAfterPausingSavesEverythingSinceTheLastSave) {
    front("Mail");
    launch();
    advance(7);
    driver().choose("Pause Tracking");
    advance(30);
    EXPECT_EQ(stored(), std::nullopt);
    Application::shared().terminate(nullptr);
    EXPECT_EQ(stored(), storeOf({{"Mail", 7}}));
}

TEST_F(MenuBarButtonTest, TheButtonActionQuitsOnARightClickAndRebuildsTheMenuOtherwise) {
    store(storeOf({{"Mail", 30}}));
    launch();
    auto button = driver().statusItem()->button();
    auto sendButtonAction = [&](EventType type, std::uint64_t flags) {
        Event event;
        event.type = type;
        event.modifierFlags = flags;
        Application::shared().dispatch(event, [&] {
            Application::shared().sendAction(button->action(), button->target().get(), button.get());
        });
    };
    auto menuBefore = driver().statusItem()->menu();
    sendButtonAction(EventType::leftMouseUp, ModifierFlags::option);
    EXPECT_EQ(driver().statusItem()->menu(), menuBefore);

    sendButtonAction(EventType::leftMouseUp, 0);
    auto replaced = driver().statusItem()->menu();
    ASSERT_NE(replaced, menuBefore);
    EXPECT_EQ(replaced->title(), "Apps");
    ASSERT_EQ(replaced->numberOfItems(), 1);
    EXPECT_EQ(replaced->itemAt(0)->title(), "Mail | 0:30");
    EXPECT_EQ(menu(), report({}));

    EXPECT_FALSE(session.isTerminated());
    sendButtonAction(EventType::rightMouseUp, 0);
    EXPECT_TRUE(session.isTerminated());
}

} // namespace
