#include "tests/Hourtrail/HourtrailTestSupport.h"

#include "Hourtrail/HourtrailApp.h"

#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"

using namespace platform;
using Hourtrail::HourtrailApp;
using hourtrail_test::storeOf;
using Lines = std::vector<std::string>;

namespace {

const Lines commandsWhileRunning{"  -----", "  Pause Tracking", "  Reset Times", "  Quit"};

class MenuBarButtonTest : public hourtrail_test::HourtrailTest {
protected:
    // Saves still on their way reach the defaults before the home folder goes.
    void TearDown() override {
        if (auto delegate = session.delegateAs<Hourtrail::AppDelegate>(); delegate && delegate->barButton) {
            delegate->barButton->tracker().waitForSaves();
        }
        HourtrailTest::TearDown();
    }
    void launch(const Hourtrail::Store& totals = {}) {
        store(totals);
        session.launch<HourtrailApp>();
    }
    Hourtrail::ActivityTracker& tracker() { return session.delegateAs<Hourtrail::AppDelegate>()->barButton->tracker(); }
    Lines menu() {
        driver().openMenu();
        auto lines = driver().menuLines();
        driver().closeMenu();
        return lines;
    }
    static Lines report(const Lines& entries, const Lines& commands = commandsWhileRunning) {
        Lines lines{"menu \"Apps\":"};
        lines.insert(lines.end(), entries.begin(), entries.end());
        lines.insert(lines.end(), commands.begin(), commands.end());
        return lines;
    }
};

TEST_F(MenuBarButtonTest, ListsApplicationsAboveAMinuteLongestFirstWithTheirWebsites) {
    launch(storeOf({{"Xcode", 61}, {"Mail", 3600}, {"Notes", 59}, {"Terminal", 60}, {"Safari", 3700}},
                   {{"a.example", 30}, {"b.example", 120}, {"c.example", 90061}}));
    const auto button = driver().statusItem()->button();
    EXPECT_EQ(button->image()->describe(), "hourglass 22x22 template");
    EXPECT_EQ(button->toolTip(),
              "Track active app time. \nClick to view info. \nOption click to reset. \nRight click to quit.");
    EXPECT_EQ(driver().windowLines().size(), 1u) << "only the status item's window is left";
    EXPECT_EQ(menu(), report({"  Safari | 1h 1m >", "    c.example | 1d 1h 1m", "    b.example | 2m", "  Mail | 1h",
                              "  Xcode | 1m"}));
}

TEST_F(MenuBarButtonTest, ABrowserWithoutWebsitesAboveAMinuteHasNoSubmenu) {
    launch(storeOf({{"Google Chrome", 600}}, {{"a.example", 60}}));
    EXPECT_EQ(menu(), report({"  Google Chrome | 10m"}));
}

TEST_F(MenuBarButtonTest, EveryInstalledWebBrowserListsTheWebsites) {
    server().setWebBrowsers({"Firefox ESR"});
    launch(storeOf({{"Firefox ESR", 600}, {"Mail", 180}}, {{"a.example", 120}}));
    EXPECT_EQ(menu(), report({"  Firefox ESR | 10m >", "    a.example | 2m", "  Mail | 3m"}));
}

TEST_F(MenuBarButtonTest, PauseDisablesApplicationLinesAndResetLeavesOnlyTheCommands) {
    const auto totals = storeOf({{"Safari", 3700}, {"Mail", 120}}, {{"b.example", 120}});
    launch(totals);
    EXPECT_EQ(driver().choose("Pause Tracking"), ChooseResult::chosen);
    EXPECT_EQ(menu(), report({"  Safari | 1h 1m >", "    b.example | 2m", "  Mail | 2m [disabled]"},
                             {"  -----", "  Resume Tracking", "  Reset Times", "  Quit"}));
    EXPECT_EQ(driver().choose("Safari | 1h 1m/b.example | 2m"), ChooseResult::chosen);
    driver().choose("Resume Tracking");
    EXPECT_EQ(driver().choose("Mail | 2m"), ChooseResult::chosen);
    EXPECT_EQ(tracker().store(), totals);

    driver().choose("Reset Times");
    EXPECT_EQ(menu(), report({}));
}

TEST_F(MenuBarButtonTest, QuitSavesTheCreditsThePeriodicSaveHasNotReached) {
    front("Mail");
    launch();
    advance(15);
    driver().choose("Pause Tracking");
    advance(30);
    EXPECT_EQ(stored(tracker()), storeOf({{"Mail", 10}}));
    EXPECT_EQ(driver().choose("Quit"), ChooseResult::chosen);
    EXPECT_TRUE(session.isTerminated());
    EXPECT_EQ(stored(), storeOf({{"Mail", 15}}));
}

} // namespace
