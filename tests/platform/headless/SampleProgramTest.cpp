#include "platform/appkit/Application.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/foundation/URL.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/headless/ViewDriver.h"
#include "platform/views/HostingController.h"
#include "platform/views/ShapeView.h"
#include "platform/views/Text.h"
#include "platform/views/ViewFinder.h"
#include "tests/sample/SampleApp.h"
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

using Lines = std::vector<std::string>;

// The sample program, launched on a virtual clock.
class SampleProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.launch<sample::SampleApp>();
        delegate = session.delegateAs<sample::SampleDelegate>();
        ASSERT_NE(delegate, nullptr);
        controller = delegate->controller;
        ASSERT_NE(controller, nullptr);
    }

    std::vector<std::string> kinds() {
        std::vector<std::string> out;
        for (const auto& event : driver().takeEvents()) {
            out.push_back(event.kind);
        }
        return out;
    }

    HeadlessDriver& driver() { return session.driver(); }
    std::string title(int item = 0) { return driver().statusItem(item)->button()->title(); }

    menulets::testing::TemporaryHome home;
    HeadlessSession session{{Date{1714555800}, sample::SampleApp::bundleIdentifier}};
    std::shared_ptr<sample::SampleDelegate> delegate;
    std::shared_ptr<sample::SampleController> controller;
};

TEST_F(SampleProgramTest, LaunchOpensTheFirstWindowGroupsWindowWhichTheDelegateCloses) {
    auto events = driver().takeEvents();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0].kind, "windowShown");
    EXPECT_EQ(events[0].text("title"), "Sample");
    EXPECT_EQ(events[1].kind, "windowClosed");
    for (const auto& window : Application::shared().windows()) {
        EXPECT_NE(window->title(), "Sample");
    }
    EXPECT_TRUE(Application::shared().isActive());
}

TEST_F(SampleProgramTest, PlainAndOptionClicksReachTheActionAndARightClickTerminates) {
    driver().click();
    driver().click();
    EXPECT_EQ(title(), "2");
    auto panel = controller->panelController->window();
    EXPECT_FALSE(panel->isVisible());
    driver().click(ModifierFlags::option | ModifierFlags::shift);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->level(), WindowLevel::floating);
    EXPECT_EQ(title(), "2") << "an option-click does not count";
    driver().click(ModifierFlags::option);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(session.isTerminated());

    driver().takeEvents();
    driver().rightClick(ModifierFlags::option);
    EXPECT_TRUE(session.isTerminated());
    EXPECT_EQ(session.exitStatus(), 0);
    EXPECT_EQ(kinds().back(), "terminate");
}

TEST_F(SampleProgramTest, StatusItemChangesAreReportedOncePerChangedField) {
    driver().takeEvents();
    driver().click();
    auto events = driver().takeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, "statusItem");
    EXPECT_EQ(events[0].describe(), "statusItem item=0 title=\"1\"");
}

TEST_F(SampleProgramTest, TheMenuIsRebuiltOnEachOpeningWithEntriesNoOneAnswersDisabled) {
    ASSERT_TRUE(driver().openMenu(1));
    EXPECT_EQ(driver().menuLines(), (Lines{
                                        "menu \"Sample\":",
                                        "  Opened 1 times [disabled]",
                                        "  Ticks: 0 [disabled]",
                                        "  Open last link [disabled]",
                                        "  Wrong kind",
                                        "  Nobody answers [disabled]",
                                        "  -----",
                                        "  More >",
                                        "    Say hello",
                                        "    Remind me",
                                        "    Leave a tip",
                                        "  Preferences",
                                        "  Quit",
                                    }));
    EXPECT_EQ(driver().choose("Open last link"), ChooseResult::disabled);
    EXPECT_EQ(driver().choose("Nobody answers"), ChooseResult::disabled);
    EXPECT_EQ(driver().choose("More"), ChooseResult::notChoosable);
    EXPECT_EQ(driver().choose("Missing"), ChooseResult::notFound);
    EXPECT_EQ(driver().choose("More/Say hello"), ChooseResult::chosen);
    EXPECT_EQ(controller->lastChoice, "Say hello");
    EXPECT_EQ(driver().openedMenu(), nullptr);
    EXPECT_TRUE(driver().openMenu(1));
    EXPECT_EQ(driver().menuLines()[1], "  Opened 2 times [disabled]");
}

TEST_F(SampleProgramTest, RepresentedObjectsOfTheWrongKindAreDetectedByTheReceiver) {
    EXPECT_EQ(driver().choose("Wrong kind", 1), ChooseResult::chosen);
    EXPECT_EQ(controller->lastChoice, "not a link");

    driver().dropURL("https://a.example/page", "A page");
    driver().takeEvents();
    EXPECT_EQ(driver().choose("Open last link", 1), ChooseResult::chosen);
    auto events = driver().takeEvents();
    auto opened = std::find_if(events.begin(), events.end(), [](const HeadlessEvent& e) { return e.kind == "opened"; });
    ASSERT_NE(opened, events.end());
    EXPECT_EQ(opened->text("url"), "https://a.example/page");
}

TEST_F(SampleProgramTest, DropsAreAcceptedByTypeAndReadWithTheirTitle) {
    auto link = driver().dropURL("https://b.example/x", "B");
    EXPECT_TRUE(link.reachedDestination);
    EXPECT_EQ(link.operation, DragOperation::copy);
    EXPECT_TRUE(link.accepted);
    EXPECT_EQ(driver().statusItem()->button()->toolTip(), "Last link: https://b.example/x (B)");
    auto events = driver().takeEvents();
    auto sound = std::find_if(events.begin(), events.end(), [](const HeadlessEvent& e) { return e.kind == "sound"; });
    ASSERT_NE(sound, events.end());
    EXPECT_EQ(sound->text("name"), "Glass");

    auto text = driver().dropText("https://c.example/");
    EXPECT_FALSE(text.reachedDestination) << "plain text is not a registered type";
    EXPECT_FALSE(text.accepted);
    auto unreadable = driver().dropURL("not a url");
    EXPECT_TRUE(unreadable.accepted) << "a URL type without a readable URL is taken and ignored";
    EXPECT_EQ(controller->lastLink->absoluteString(), "https://b.example/x");
    EXPECT_FALSE(driver().dropURL("https://d.example/", std::nullopt, 1).reachedDestination)
        << "the menu item registered nothing";

    for (const char* script : {"javascript:alert(1)", "JavaScript:void(0)", "vbscript:msgbox", "data:text/html,%3Cscript%3Ealert(1)%3C/script%3E"}) {
        const auto refused = driver().dropURL(script, "looks harmless");
        EXPECT_EQ(refused.operation, DragOperation::none) << script;
        EXPECT_FALSE(refused.accepted) << script;
    }
    EXPECT_EQ(controller->lastLink->absoluteString(), "https://b.example/x");
}

TEST_F(SampleProgramTest, DefaultModeTimersWaitWhileTheMenuIsOpen) {
    driver().advance(2.0);
    EXPECT_EQ(controller->ticks, 2);
    driver().openMenu(1);
    driver().advance(5.0);
    EXPECT_EQ(controller->ticks, 2);
    EXPECT_EQ(driver().menuLines()[2], "  Ticks: 2 [disabled]");
    driver().closeMenu();
    EXPECT_EQ(controller->ticks, 3) << "the late timer fires once, skipping the rest";
    driver().advance(1.0);
    EXPECT_EQ(controller->ticks, 4);
    driver().sleep(30.0);
    EXPECT_EQ(controller->ticks, 4) << "timers count uptime, which stops while the computer sleeps";
}

TEST_F(SampleProgramTest, OwnSchemeURLsComeBackIntoTheProgramAndOpenTheMatchingGroupsWindow) {
    driver().takeEvents();
    EXPECT_EQ(driver().choose("More/Remind me", 1), ChooseResult::chosen);
    ASSERT_EQ(delegate->openedURLs.size(), 1u);
    EXPECT_EQ(delegate->openedURLs[0].absoluteString(), "sample://remind");
    auto key = Application::shared().keyWindow();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->title(), "Reminder");
    EXPECT_EQ(driver().windowLines().front().rfind("window ", 0), 0u);
    EXPECT_TRUE(driver().pressEscape());
    EXPECT_TRUE(key->isClosed());
    EXPECT_FALSE(driver().pressEscape()) << "no window is key any more";
}

TEST_F(SampleProgramTest, TheTipWindowReadsDollarsFillsItsBarLinearlyAndClosesOnEscape) {
    EXPECT_EQ(driver().choose("More/Leave a tip", 1), ChooseResult::chosen);
    auto window = Application::shared().keyWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->title(), "Tip");
    auto hosting = std::dynamic_pointer_cast<HostingController>(window->contentViewController());
    ASSERT_NE(hosting, nullptr);
    auto echo = [&] { return ViewFinder(hosting->rootView().node()).first<Text::Node>("*")->content(); };
    auto bar = [&] {
        auto shape = ViewFinder(hosting->rootView().node()).first<ShapeView::Node>("*");
        return shape->presentedShape()->animatableData().at(0);
    };

    ViewDriver views(driver());
    EXPECT_EQ(views.type("Tip e.g. $2.50", "$2.50").message, "\"Tip e.g. $2.50\" shows \"$2.50\"");
    EXPECT_EQ(echo(), "Tip: $2.50");
    EXPECT_EQ(views.type("Tip e.g. $2.50", "3 dollars").message,
              "\"Tip e.g. $2.50\" did not take \"3 dollars\"; it shows \"$2.50\"");
    EXPECT_EQ(echo(), "Tip: $2.50") << "text the formatter cannot read leaves the value";

    driver().advance(10);
    EXPECT_NEAR(bar(), 0.5, 1e-9) << "halfway through the 20 seconds";
    driver().advance(15);
    EXPECT_EQ(bar(), 1.0);

    EXPECT_EQ(views.pressEscape().message, "Escape pressed the cancel button");
    EXPECT_TRUE(window->isClosed());
}

TEST_F(SampleProgramTest, ThePreferencesEntryOpensTheSettingsSceneOnce) {
    EXPECT_EQ(driver().choose("Preferences", 1), ChooseResult::chosen);
    EXPECT_EQ(driver().choose("Preferences", 1), ChooseResult::chosen);
    int settings = 0;
    for (const auto& window : Application::shared().windows()) {
        settings += window->title() == "Sample Preferences" ? 1 : 0;
    }
    EXPECT_EQ(settings, 1);
}

TEST_F(SampleProgramTest, QuitInTheMenuGoesUpTheChainToTheApplication) {
    EXPECT_EQ(driver().choose("Quit", 1), ChooseResult::chosen);
    EXPECT_TRUE(session.isTerminated());
}

TEST_F(SampleProgramTest, SwitchingApplicationsTellsTheDelegateAndKeepsPanelsThatStay) {
    driver().click(ModifierFlags::option);
    auto panel = controller->panelController->window();
    driver().deactivate();
    EXPECT_EQ(delegate->resignations, 1);
    EXPECT_FALSE(Application::shared().isActive());
    EXPECT_TRUE(panel->isVisible()) << "the sample's panel does not hide on deactivation";
    driver().activate();
    EXPECT_TRUE(Application::shared().isActive());
}

} // namespace
