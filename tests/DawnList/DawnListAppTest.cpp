#include "tests/support/TemporaryHome.h"

#include "DawnList/DawnListApp.h"

#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/Window.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugLine.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/ViewDriver.h"
#include "platform/plist/BinaryPropertyList.h"
#include "platform/plist/PropertyListEncoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

using namespace platform;

namespace {

using Lines = std::vector<std::string>;

class DawnListAppTest : public ::testing::Test {
protected:
    DawnListAppTest() { setDebugOutput(&output); }
    ~DawnListAppTest() override {
        setDebugOutput(nullptr);
        session.reset();
        UserDefaults::standard().synchronize();
    }

    void launch() {
        session.reset();
        session.emplace(HeadlessSession::Options{Date{1'781'000'000}, "dev.menulets.DawnList"});
        session->launch<DawnList::DawnListApp>();
    }
    HeadlessDriver& driver() { return session->driver(); }
    DawnList::MenuBarButton& barButton() { return *session->delegateAs<DawnList::AppDelegate>()->barButton; }
    // The view listing of the list window, without its header.
    Lines editorLines() {
        auto lines = ViewDriver(driver()).viewLines(barButton().windowController()->window()->windowNumber());
        return Lines(lines.begin() + 1, lines.end());
    }
    static std::optional<PropertyList> storedTree() {
        auto value = UserDefaults::standard().object("dawnLists");
        return value && value->data() ? BinaryPropertyList::read(*value->data()) : std::nullopt;
    }

    menulets::testing::TemporaryHome home;
    std::ostringstream output;
    std::optional<HeadlessSession> session;
};

TEST_F(DawnListAppTest, SunriseItemWithoutImageOpensThePlansWindow) {
    launch();
    auto item = driver().statusItem();
    auto button = item->button();
    EXPECT_EQ(item->length(), 22);
    EXPECT_EQ(button->title(), "🌅");
    EXPECT_EQ(button->accessibilityHelp(), "🌅");
    EXPECT_EQ(button->toolTip(), "Launch Dawn List");
    EXPECT_FALSE(button->appearsDisabled());
    EXPECT_EQ(button->image(), nullptr);
    EXPECT_EQ(button->action(), "clickedMenuWithSender:");
    EXPECT_EQ(button->sendActionMask(), 20u);

    driver().click();
    auto window = barButton().windowController()->window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->title(), "Dawn Lists");
    EXPECT_EQ(window->contentSize(), (Size{380, 400}));
    EXPECT_EQ(window->titlebarSeparatorStyle(), TitlebarSeparatorStyle::none);
    EXPECT_EQ(window->backgroundColor(), Color::windowBackground());
    driver().click();
    EXPECT_EQ(button->image(), nullptr) << "still no image after clicks";
    EXPECT_EQ(button->title(), "🌅");

    driver().click();
    EXPECT_TRUE(ViewDriver(driver()).press("Add a dawn list").succeeded);
    EXPECT_EQ(editorLines(),
              (Lines{"  / ContentView", "    /0 Dawnlist", "      /0/0 List", "        /0/0/0 ForEach",
                     "          /0/0/0/0 HStack .contextMenu",
                     "            /0/0/0/0/0 TextField placeholder=\"6:00am Make a new plan here\" text=\"\"",
                     "            /0/0/0/0 contextMenu: Button \"Delete dawn list\"",
                     "          /0/0/0/1 HStack .contextMenu",
                     "            /0/0/0/1/0 TextField placeholder=\"6:00am Make a new plan here\" text=\"\"",
                     "            /0/0/0/1 contextMenu: Button \"Delete dawn list\"",
                     "        /0/0/1 Button \"Add a dawn list\" style=borderless .foregroundColor(secondaryLabelColor) "
                     ".buttonStyle(borderless)"}));
}

TEST_F(DawnListAppTest, SavesPrintNothingAndKeepTheMarkAsAFlag) {
    launch();
    driver().click();
    ViewDriver(driver()).type("6:00am Make a new plan here", "6:00am Run");
    driver().advance(0.5);
    EXPECT_EQ(output.str(), "");
    auto tree = storedTree();
    ASSERT_TRUE(tree && tree->array() && tree->array()->size() == 1u);
    const auto* record = tree->array()->front().dictionary();
    EXPECT_EQ(*record->find("text"), PropertyList("6:00am Run"));
    EXPECT_EQ(*record->find("completed"), PropertyList(false));
}

TEST_F(DawnListAppTest, MarkedPlanLoadsAndIsWrittenBackAsItWas) {
    DawnList::DawnList marked;
    marked.text = "6:30am Coffee";
    marked.completed = true;
    Bundle::setMainBundleIdentifier("dev.menulets.DawnList");
    UserDefaults::resetStandard();
    const PropertyList saved(PropertyListEncoder::encode(std::vector{marked}));
    UserDefaults::standard().set(saved, "dawnLists");
    launch();
    EXPECT_EQ(barButton().store()->list.get(), std::vector{marked});
    // The window group's own store loads the same list and, left alone, writes nothing.
    driver().advance(10);
    EXPECT_EQ(UserDefaults::standard().object("dawnLists"), saved);

    driver().click();
    ViewDriver(driver()).type("6:30am Coffee", "6:45am Coffee");
    driver().advance(0.5);
    EXPECT_EQ(*storedTree()->array()->front().dictionary()->find("completed"), PropertyList(true));
}

} // namespace
