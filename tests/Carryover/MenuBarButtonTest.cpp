#include "tests/Carryover/CarryoverTestSupport.h"

#include "Carryover/AppDelegate.h"
#include "Carryover/CarryoverApp.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/headless/HeadlessSession.h"

using namespace platform;

namespace {

using Lines = std::vector<std::string>;

// What the user saw and heard, status item changes left out.
Lines happenings(HeadlessDriver& driver) {
    Lines lines;
    for (const auto& event : driver.takeEvents()) {
        if (event.kind == "opened" || event.kind == "openFailed" || event.kind == "sound" ||
            event.kind == "terminate") {
            lines.push_back(event.describe());
        }
    }
    return lines;
}

using MenuBarButtonTest = carryover_test::CarryoverTest;

TEST_F(MenuBarButtonTest, ClicksAndDropsThroughTheStatusItem) {
    HeadlessSession session({newYork(2026, 6, 10, 15), "dev.menulets.Carryover"});
    session.launch<Carryover::CarryoverApp>();
    auto& driver = session.driver();
    auto& button = *driver.statusItem()->button();
    auto& barButton = *session.delegateAs<Carryover::AppDelegate>()->barButton;
    ASSERT_EQ(Application::shared().windows().size(), 1u);
    EXPECT_EQ(Application::shared().windows()[0]->kind(), "status bar window");
    EXPECT_EQ(button.image()->describe(), "arrowshape.bounce.right 22x22 template");
    const std::string baseToolTip =
        "Drop a link here to save it. \nClick to open links from previous days. \nRight click to quit.";
    EXPECT_EQ(button.toolTip(), baseToolTip + "\n0 links pending");
    driver.takeEvents();

    EXPECT_TRUE(driver.dropURL("https://a.example/page", "Page A").accepted);
    EXPECT_TRUE(driver.dropURL("nohandler:b").accepted);
    EXPECT_FALSE(driver.dropURL("not a url", "x").accepted) << "what keeps nothing is refused";
    EXPECT_FALSE(driver.dropURL("--help").accepted) << "no scheme, no link";
    EXPECT_TRUE(driver.dropURL("nohandler:d", "D").accepted);
    EXPECT_FALSE(driver.dropText("https://c.example/").reachedDestination);
    DraggingInfo text(Pasteboard::forText("https://c.example/"));
    EXPECT_FALSE(barButton.performDragOperation(text));
    EXPECT_EQ(happenings(driver), Lines(3, "sound name=\"Glass\""));
    EXPECT_EQ(button.toolTip(), baseToolTip + "\n3 links pending");

    driver.click();
    EXPECT_EQ(happenings(driver), Lines{});
    driver.advance(hours(11));
    EXPECT_EQ(button.title(), "3");
    EXPECT_EQ(button.toolTip(), "Click to open 3 links older than one day.");
    driver.dropURL("https://c.example/", "C");
    driver.click(ModifierFlags::option);
    EXPECT_EQ(happenings(driver), (Lines{"sound name=\"Glass\"", "opened url=\"https://c.example/\""}));
    EXPECT_EQ(button.title(), "3");

    // Links nothing opens stay, in their order.
    driver.click();
    EXPECT_EQ(happenings(driver), (Lines{"opened url=\"https://a.example/page\"", "openFailed url=\"nohandler:b\"",
                                         "openFailed url=\"nohandler:d\""}));
    auto kept = [](const char* text, const char* title) { return Carryover::Link{*URL::fromString(text), title}; };
    EXPECT_EQ(barButton.store().storedLinks, (std::vector{kept("nohandler:b", ""), kept("nohandler:d", "D")}));
    driver.rightClick();
    EXPECT_EQ(happenings(driver), Lines{"terminate status=0"});
    EXPECT_TRUE(session.isTerminated());
}

} // namespace
