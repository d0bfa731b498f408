#include "tests/Blinkbreak/BlinkbreakTestSupport.h"

#include "Blinkbreak/Pie.h"

#include "platform/headless/ViewDriver.h"
#include "platform/views/ShapeView.h"
#include "platform/views/ViewFinder.h"

#include <numbers>

using namespace platform;

namespace {

using Lines = std::vector<std::string>;

using std::numbers::pi;

// A reminder window, raised by the timer twenty minutes after launch.
class ContentViewTest : public blinkbreak_test::BlinkbreakTest {
protected:
    void SetUp() override {
        driver().advance(Blinkbreak::AppDelegate::reminderInterval);
        window = reminderWindow();
        ASSERT_NE(window, nullptr);
    }
    // The clock's two layers as drawn now: the grey disc, then the sector.
    std::vector<const Blinkbreak::Pie*> shownPies() {
        std::vector<const Blinkbreak::Pie*> pies;
        for (auto* shape : ViewFinder(hosting(*window).rootView().node()).find<ShapeView::Node>("*")) {
            shown.push_back(shape->presentedShape());
            pies.push_back(dynamic_cast<const Blinkbreak::Pie*>(shown.back().get()));
        }
        return pies;
    }
    double sectorEnd() {
        auto pies = shownPies();
        EXPECT_EQ(pies.size(), 2u);
        return pies.size() == 2 && pies[1] ? pies[1]->endAngle : 1;
    }

    std::shared_ptr<Window> window;
    std::vector<std::shared_ptr<const Shape>> shown;
};

TEST_F(ContentViewTest, TheClockTheWordsTheEyesAndAnInvisibleCancelButton) {
    hosting(*window).graph().update();
    std::istringstream listing(hosting(*window).describe());
    Lines lines;
    for (std::string line; std::getline(listing, line);) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (Lines{
                         "ContentView",
                         "  ZStack .padding(16) .frame(minWidth: 200, minHeight: 200) .onAppear",
                         "    VStack",
                         "      Clock .frame(width: 60, height: 60) .foregroundColor(systemBlue) .padding(16)",
                         "        ZStack .onAppear",
                         "          Shape Pie(0, -6.28319) fill=systemGray .shadow(black alpha 0.33, radius: 4)",
                         "          Shape Pie(0, 0) animating",
                         "      Text \"Stretch your eyes\" .padding(bottom: 8)",
                         "      Text \"👁️ 👁️\" .font(title3)",
                         "      Button \"Hidden\" .opacity(0) .keyboardShortcut(cancelAction)",
                     }));
    auto shapes = ViewFinder(hosting(*window).rootView().node()).find<ShapeView::Node>("*");
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[1]->resolvedFill(), Color::systemBlue()) << "the sector takes the content's foreground colour";
}

TEST_F(ContentViewTest, TheSectorSweepsCounterClockwiseOverTwentySecondsThenStaysFull) {
    auto pies = shownPies();
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[0]->animatableData(), (std::vector<double>{0, -2 * pi}));
    EXPECT_FALSE(pies[0]->clockwise);
    EXPECT_FALSE(pies[1]->clockwise);
    EXPECT_EQ(pies[1]->startAngle, 0);
    EXPECT_EQ(sectorEnd(), 0);
    driver().advance(5);
    EXPECT_NEAR(sectorEnd(), -pi / 2, 1e-9);
    driver().advance(5);
    EXPECT_NEAR(sectorEnd(), -pi, 1e-9);
    driver().advance(10);
    EXPECT_EQ(sectorEnd(), -2 * pi);
    driver().advance(100);
    EXPECT_EQ(sectorEnd(), -2 * pi) << "the clock does not start over";
}

TEST_F(ContentViewTest, EveryReminderShowsAFreshSweep) {
    driver().advance(Blinkbreak::AppDelegate::reminderInterval);
    window = reminderWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(sectorEnd(), 0);
    driver().advance(10);
    EXPECT_NEAR(sectorEnd(), -pi, 1e-9);
}

TEST_F(ContentViewTest, OnceShownTheWindowFloatsOnEverySpaceWithoutTheKeyboard) {
    EXPECT_EQ(window->level(), WindowLevel::floating);
    EXPECT_EQ(window->collectionBehavior(), WindowCollectionBehavior::canJoinAllSpaces);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isKeyWindow());
    EXPECT_EQ(Application::shared().keyWindow(), nullptr);
}

TEST_F(ContentViewTest, EscapeClosesTheWindowOnceTheUserClicksIntoIt) {
    ViewDriver views(driver());
    EXPECT_EQ(views.pressEscape().message, "no window is key") << "typing goes to the application the user was in";
    window->makeKeyWindow();
    EXPECT_EQ(views.pressEscape().message, "Escape pressed the cancel button");
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(Application::shared().windows().size(), 1u) << "the status item's window stays";
    EXPECT_TRUE(delegate().running);
}

} // namespace
