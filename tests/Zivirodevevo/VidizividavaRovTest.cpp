#include "tests/support/TemporaryHome.h"

#include "Zivirodevevo/VidizividavaRov.h"

#include "platform/appkit/Image.h"
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

class VidizividavaRovTest : public ::testing::Test {
protected:
    VidizividavaRovTest() { setDebugOutput(&output); }
    ~VidizividavaRovTest() override {
        setDebugOutput(nullptr);
        session.reset();
        UserDefaults::standard().synchronize();
    }

    void launch() {
        session.reset();
        session.emplace(HeadlessSession::Options{Date{1'781'000'000}, "dev.menulets.Zivirodevevo"});
        session->launch<Zivirodevevo::VidizividavaRov>();
    }
    HeadlessDriver& driver() { return session->driver(); }
    Zivirodevevo::MenuBarButton& barButton() {
        return *session->delegateAs<Zivirodevevo::AppDelegate>()->barButton;
    }
    // The view listing of the list window, without its header.
    Lines editorLines() {
        auto lines = ViewDriver(driver()).viewLines(barButton().windowController()->window()->windowNumber());
        return Lines(lines.begin() + 1, lines.end());
    }
    static std::optional<PropertyList> storedTree() {
        auto value = UserDefaults::standard().object("affirmations");
        return value && value->data() ? BinaryPropertyList::read(*value->data()) : std::nullopt;
    }

    menulets::testing::TemporaryHome home;
    std::ostringstream output;
    std::optional<HeadlessSession> session;
};

TEST_F(VidizividavaRovTest, RaisedHandItemOpensTheAffirmationsWindow) {
    launch();
    auto item = driver().statusItem();
    auto button = item->button();
    EXPECT_EQ(item->length(), 22);
    EXPECT_EQ(button->title(), "✋");
    EXPECT_EQ(button->accessibilityHelp(), "✋");
    EXPECT_EQ(button->toolTip(), "Launch Zivirodevevo");
    EXPECT_FALSE(button->appearsDisabled());
    EXPECT_EQ(button->image()->describe(), "checklist 22x22 template");
    EXPECT_EQ(button->image()->accessibilityDescription(), "");
    EXPECT_EQ(button->action(), "clickedMenuWithSender:");
    EXPECT_EQ(button->sendActionMask(), 20u);

    driver().click();
    auto window = barButton().windowController()->window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->title(), "Zivirodevevo");
    EXPECT_EQ(window->contentSize(), (Size{380, 400}));
    EXPECT_EQ(window->titlebarSeparatorStyle(), TitlebarSeparatorStyle::none);
    EXPECT_EQ(window->backgroundColor(), Color::white());
    EXPECT_EQ(button->image()->symbolName(), "checklist") << "a click makes the symbol again";
    EXPECT_TRUE(barButton().useDefaultIcon());

    EXPECT_TRUE(ViewDriver(driver()).press("Add affirmation").succeeded);
    EXPECT_EQ(editorLines(),
              (Lines{"  / ContentView", "    /0 Rizoveraruzoror", "      /0/0 List", "        /0/0/0 ForEach",
                     "          /0/0/0/0 HStack .contextMenu",
                     "            /0/0/0/0/0 TextField placeholder=\"I affirm to...\" text=\"\"",
                     "            /0/0/0/0 contextMenu: Button \"Delete affirmation\"",
                     "          /0/0/0/1 HStack .contextMenu",
                     "            /0/0/0/1/0 TextField placeholder=\"I affirm to...\" text=\"New affirmation\"",
                     "            /0/0/0/1 contextMenu: Button \"Delete affirmation\"",
                     "        /0/0/1 Button \"Add affirmation\" style=borderless .foregroundColor(secondaryLabelColor) "
                     ".buttonStyle(borderless)"}));
}

TEST_F(VidizividavaRovTest, EachSavePrintsUpdatingAndKeepsTheMarkAsANumber) {
    launch();
    driver().click();
    ViewDriver(driver()).type("I affirm to...", "Be brave");
    driver().advance(0.5);
    EXPECT_EQ(output.str(), "\"Updating\"\n");
    auto tree = storedTree();
    ASSERT_TRUE(tree && tree->array() && tree->array()->size() == 1u);
    const auto* record = tree->array()->front().dictionary();
    EXPECT_EQ(*record->find("text"), PropertyList("Be brave"));
    EXPECT_EQ(*record->find("completed"), PropertyList::integer(0));

    ViewDriver(driver()).chooseContextItem("Be brave", "Delete affirmation");
    driver().advance(0.5);
    EXPECT_EQ(output.str(), "\"Updating\"\n\"Updating\"\n") << "printed for an empty list too";
    EXPECT_EQ(storedTree(), PropertyList(PropertyListArray{}));
}

TEST_F(VidizividavaRovTest, LargestMarkLoadsAndIsWrittenBackAsItWas) {
    Zivirodevevo::Affirmation marked;
    marked.text = "Marked";
    marked.completed = 255;
    Bundle::setMainBundleIdentifier("dev.menulets.Zivirodevevo");
    UserDefaults::resetStandard();
    UserDefaults::standard().set(PropertyList(PropertyListEncoder::encode(std::vector{marked})), "affirmations");
    launch();
    EXPECT_EQ(barButton().store()->list.get(), std::vector{marked});
    driver().click();
    ViewDriver(driver()).type("Marked", "Marked again");
    driver().advance(0.5);
    EXPECT_EQ(*storedTree()->array()->front().dictionary()->find("completed"), PropertyList::integer(255));
}

} // namespace
