#include "tests/Talkclock/TalkclockTestSupport.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"

using namespace platform;

namespace {

using Lines = std::vector<std::string>;

using MenuBarButtonTest = talkclock_test::TalkclockTest;

TEST_F(MenuBarButtonTest, LaunchLeavesTheTimerItemAndAHiddenHeadUpPanel) {
    auto& button = *driver().statusItem()->button();
    EXPECT_EQ(button.title(), "");
    EXPECT_EQ(button.image()->describe(), "timer.square 22x22 template");
    EXPECT_EQ(button.toolTip(), "Display a count down");
    EXPECT_EQ(button.sendActionMask(), EventMask::leftMouseUp | EventMask::rightMouseUp);
    EXPECT_TRUE(barButton().useDefaultIcon());

    auto windows = Application::shared().windows();
    ASSERT_EQ(windows.size(), 2u) << "the window group's window is closed; the panel stays, hidden";
    EXPECT_EQ(windows[1]->kind(), "status bar window");
    auto& shown = *panel();
    EXPECT_EQ(windows[0].get(), &shown);
    EXPECT_FALSE(shown.isVisible());
    EXPECT_EQ(shown.kind(), "panel");
    EXPECT_EQ(shown.title(), "Talk Clock");
    EXPECT_EQ(shown.contentSize().width, 380);
    EXPECT_EQ(shown.contentSize().height, 400);
    EXPECT_EQ(shown.styleMask(), WindowStyleMask::hudWindow);
    EXPECT_EQ(shown.level(), WindowLevel::floating);
    EXPECT_FALSE(shown.hidesOnDeactivate());
    EXPECT_FALSE(shown.isReleasedWhenClosed());
    EXPECT_EQ(shown.backgroundColor(), Color::clear());
    EXPECT_EQ(shown.titlebarSeparatorStyle(), TitlebarSeparatorStyle::none);
}

TEST_F(MenuBarButtonTest, ClicksShowAndHideTheSamePanelAndAnOptionClickChangesNothing) {
    auto shown = panel();
    auto* view = &content();
    driver().takeEvents();

    driver().click();
    EXPECT_TRUE(shown->isVisible());
    driver().click(ModifierFlags::option);
    EXPECT_TRUE(shown->isVisible());
    driver().click();
    EXPECT_FALSE(shown->isVisible());
    EXPECT_FALSE(shown->isClosed()) << "hidden, not closed";
    driver().click(ModifierFlags::option | ModifierFlags::shift);
    EXPECT_FALSE(shown->isVisible());
    driver().click();
    EXPECT_TRUE(shown->isVisible());

    EXPECT_EQ(panel(), shown);
    EXPECT_EQ(&content(), view) << "never rebuilt";
    EXPECT_TRUE(events("statusItem").empty()) << "the icon stays as it was";
    EXPECT_EQ(driver().statusItem()->button()->image()->describe(), "timer.square 22x22 template");
}

TEST_F(MenuBarButtonTest, ThePanelStaysInFrontWhenTheProgramIsInactive) {
    driver().click();
    driver().deactivate();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_GT(panel()->level(), WindowLevel::normal);
}

TEST_F(MenuBarButtonTest, ARightClickQuitsAtOnceAndTheCountSurvives) {
    driver().click();
    ASSERT_TRUE(views->press("Start").succeeded);
    driver().advance(7);
    driver().takeEvents();
    driver().rightClick();
    EXPECT_TRUE(session->isTerminated());
    EXPECT_EQ(events("terminate"), Lines{"terminate status=0"});
    launch(Date{start + 60});
    EXPECT_EQ(content().accumulated(), 7);
}

TEST_F(MenuBarButtonTest, ThePanelShowsTilesTheSliderWithTheEndsItReachesAndTheButtons) {
    driver().click();
    auto listing = views->viewLines(panel()->windowNumber());
    ASSERT_FALSE(listing.empty());
    EXPECT_EQ(listing.front(), "window " + std::to_string(panel()->windowNumber()) +
                                   " panel \"Talk Clock\" visible key level 3 size 380x400 style hud separator none "
                                   "background clear keptWhenClosed");
    EXPECT_EQ(Lines(listing.begin() + 1, listing.end()),
              (Lines{
                  "  / ContentView",
                  "    /0 VStack .padding(16) .onReceive .onChange .background(windowBackgroundColor) "
                  ".clipShape(RoundedRectangle(8)) .contextMenu",
                  "      /0/0 EmptyView",
                  "      /0/1 TimerView",
                  "        /0/1/0 HStack .fixedSize()",
                  "          /0/1/0/0 HStack",
                  "            /0/1/0/0/0 Text \"1\" .font(title monospaced bold) .fixedSize() .layoutPriority(100) "
                  ".padding(12) .background(textBackgroundColor) .clipShape(RoundedRectangle(8)) "
                  ".shadow(black alpha 0.33, radius: 2)",
                  "            /0/1/0/0/1 Text \"0\" .font(title monospaced bold) .fixedSize() .layoutPriority(100) "
                  ".padding(12) .background(textBackgroundColor) .clipShape(RoundedRectangle(8)) "
                  ".shadow(black alpha 0.33, radius: 2)",
                  "            /0/1/0/0/2 Text \":\" .font(title monospaced bold) .layoutPriority(100)",
                  "            /0/1/0/0/3 Text \"0\" .font(title monospaced bold) .fixedSize() .layoutPriority(100) "
                  ".padding(12) .background(textBackgroundColor) .clipShape(RoundedRectangle(8)) "
                  ".shadow(black alpha 0.33, radius: 2)",
                  "            /0/1/0/0/4 Text \"0\" .font(title monospaced bold) .fixedSize() .layoutPriority(100) "
                  ".padding(12) .background(textBackgroundColor) .clipShape(RoundedRectangle(8)) "
                  ".shadow(black alpha 0.33, radius: 2)",
                  "      /0/2 HStack .onAppear",
                  "        /0/2/0 Slider value=18366 range=8000...43200",
                  "          /0/2/0/0 label: Image \"timer\"",
                  "          /0/2/0/1 minimumValueLabel: Text \"10s\"",
                  "          /0/2/0/2 maximumValueLabel: Text \"12h\"",
                  "        /0/2/1 Button \"Start\" style=borderless .buttonStyle(borderless)",
                  "        /0/2/2 Button \"Reset\" style=borderless .buttonStyle(borderless)",
                  "      /0 contextMenu: Button \"Open Settings\"",
              }));
    ASSERT_TRUE(views->press("Start").succeeded);
    EXPECT_FALSE(views->press("Start").succeeded) << "while running the button reads Stop";
    ASSERT_TRUE(views->press("Stop").succeeded);
    ASSERT_TRUE(views->press("Start").succeeded);
    ASSERT_TRUE(views->press("Reset").succeeded);
    EXPECT_TRUE(views->press("Start").succeeded) << "after Reset it reads Start again";
}

TEST_F(MenuBarButtonTest, TheSettingsSwitchShowsTheTitleLineInThePanelAtOnce) {
    driver().click();
    ASSERT_TRUE(views->slide("*", 20000).succeeded);
    ASSERT_TRUE(views->chooseContextItem("/0", "Open Settings", panel()->windowNumber()).succeeded);
    auto settings = Application::shared().keyWindow();
    ASSERT_NE(settings, panel());
    auto form = views->viewLines(settings->windowNumber());
    ASSERT_EQ(form.size(), 3u);
    EXPECT_EQ(form[1], "  / Form .padding(16)");
    EXPECT_EQ(form[2], "    /0 Toggle \"Should show title\" off .help(\"Show title in timer panel\")");

    ASSERT_TRUE(views->press("Should show title").succeeded);
    EXPECT_TRUE(Talkclock::TimerDefaults::standard()->showTitle());
    auto shown = views->viewLines(panel()->windowNumber());
    EXPECT_EQ(shown[3], "      /0/0 Text \"Talk Clock\" .font(title rounded bold) .padding(16) "
                        ".foregroundColor(controlAccentColor)");
    EXPECT_EQ(content().sliderValue(), 20000) << "the controls keep their place and do not appear again";

    ASSERT_TRUE(views->press("Should show title").succeeded);
    EXPECT_EQ(views->viewLines(panel()->windowNumber())[3], "      /0/0 EmptyView");
}

} // namespace
