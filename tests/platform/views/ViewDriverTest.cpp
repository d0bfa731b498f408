#include "platform/appkit/App.h"
#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"
#include "platform/combine/ObservableObject.h"
#include "platform/combine/Published.h"
#include "platform/console/CommandRegistry.h"
#include "platform/console/ViewCommands.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/ViewDriver.h"
#include "platform/time/Locale.h"
#include "platform/time/NumberFormatter.h"
#include "platform/views/Button.h"
#include "platform/views/Component.h"
#include "platform/views/Form.h"
#include "platform/views/HostedContent.h"
#include "platform/views/ObservedObject.h"
#include "platform/views/Slider.h"
#include "platform/views/Spacer.h"
#include "platform/views/Stack.h"
#include "platform/views/Text.h"
#include "platform/views/TextField.h"
#include "platform/views/Toggle.h"
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class Draft : public ObservableObject {
public:
    Published<double> price{*this, 0};
    Published<std::string> title{*this, "Unknown title"};
    Published<bool> urgent{*this, false};
    Published<double> quantity{*this, 1};
    int saves = 0;
};

std::shared_ptr<Draft>& draft() {
    static std::shared_ptr<Draft> shared;
    return shared;
}

void closeKeyWindow() {
    if (auto window = Application::shared().keyWindow()) {
        window->close();
    }
}

// The price window of a small shop program.
class PriceForm : public Component {
public:
    explicit PriceForm(std::shared_ptr<Draft> draft) : draft_(this, std::move(draft)) {
        currency_->numberStyle = NumberFormatter::Style::currency;
        currency_->locale = Locale("en_US");
    }

    View body() override {
        return VStack{
            TextField("Price e.g. $30.15", draft_.binding(&Draft::price), currency_),
            TextField("Title", draft_.binding(&Draft::title)),
            Toggle("Urgent", draft_.binding(&Draft::urgent)),
            Slider(draft_.binding(&Draft::quantity), 1, 10, 1).label(Text("Quantity")),
            HStack{Spacer(), Button("Cancel", closeKeyWindow).keyboardShortcut(KeyboardShortcut::cancelAction()),
                   Button("Save", [this] {
                       ++draft_->saves;
                       closeKeyWindow();
                   }).disabled(draft_->title.get().empty())},
        }
            .padding()
            .contextMenu({Button("Clear title", [this] { draft_->title = ""; })});
    }

private:
    ObservedObject<Draft> draft_;
    std::shared_ptr<NumberFormatter> currency_ = std::make_shared<NumberFormatter>();
};

class ShopApp : public App {
public:
    static constexpr const char* bundleIdentifier = "dev.menulets.ViewsSample";
    std::vector<Scene> body() override {
        return {WindowGroup("Price", hostedContent([] { return View::make<PriceForm>(draft()); }))};
    }
};

} // namespace

class ViewDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        draft() = std::make_shared<Draft>();
        session.launch<ShopApp>();
        registerViewCommands(commands);
    }
    void TearDown() override { draft().reset(); }

    ConsoleReply run(const std::string& name, std::vector<std::string> arguments) {
        ConsoleContext context{session, session.driver(), item};
        return commands.find(name)->run(arguments, context);
    }

    menulets::testing::TemporaryHome home;
    HeadlessSession session{{Date{1714555800}, ShopApp::bundleIdentifier}};
    ViewDriver views{session.driver()};
    CommandRegistry commands;
    int item = 0;
};

TEST_F(ViewDriverTest, TypingThroughTheFormatterStoresOnlyWhatItReads) {
    auto typed = views.type("Price e.g. $30.15", "$12.50");
    EXPECT_TRUE(typed.succeeded);
    EXPECT_EQ(typed.message, "\"Price e.g. $30.15\" shows \"$12.50\"");
    EXPECT_EQ(draft()->price.get(), 12.5);

    auto refused = views.type("Price e.g. $30.15", "cheap");
    EXPECT_EQ(refused.message, "\"Price e.g. $30.15\" did not take \"cheap\"; it shows \"$12.50\"");
    EXPECT_EQ(draft()->price.get(), 12.5);

    EXPECT_TRUE(views.type("Unknown title", "Warm socks").succeeded) << "a field is found by its text too";
    EXPECT_EQ(draft()->title.get(), "Warm socks");
    EXPECT_FALSE(views.type("Colour", "red").succeeded);
}

TEST_F(ViewDriverTest, ConsoleListsTheTreeWithPathsAndActsOnIt) {
    auto listing = run("views", {});
    ASSERT_FALSE(listing.error) << *listing.error;
    ASSERT_GE(listing.lines.size(), 8u);
    EXPECT_EQ(listing.lines[0].rfind("window ", 0), 0u);
    EXPECT_EQ(listing.lines[1], "  / PriceForm");
    EXPECT_EQ(listing.lines[3], "      /0/0 TextField placeholder=\"Price e.g. $30.15\" text=\"$0.00\"");

    EXPECT_EQ(run("type", {"/0/1", "Wool", "hat"}).lines, (std::vector<std::string>{"\"/0/1\" shows \"Wool hat\""}));
    EXPECT_EQ(run("press", {"Urgent"}).lines, (std::vector<std::string>{"switched \"Urgent\" on"}));
    EXPECT_TRUE(draft()->urgent.get());
    EXPECT_EQ(run("slide", {"Quantity", "3.4"}).lines, (std::vector<std::string>{"moved \"Quantity\" to 3"}));
    EXPECT_EQ(draft()->quantity.get(), 3);
    EXPECT_EQ(run("slide", {"Quantity", "many"}).error, "not a number: many");
    EXPECT_EQ(run("views", {"x"}).error, "not a window number: x");
}

TEST_F(ViewDriverTest, ContextMenuItemChangesTheFormAndDisablesSave) {
    EXPECT_EQ(run("context", {"Title", "Clear", "title"}).lines, (std::vector<std::string>{"chose \"Clear title\""}));
    EXPECT_EQ(draft()->title.get(), "");
    EXPECT_EQ(run("press", {"Save"}).error, "the button \"Save\" is disabled");
    EXPECT_EQ(run("context", {"Title", "Paste"}).error,
              "the context menu has no item \"Paste\" (it has \"Clear title\")");
    EXPECT_EQ(draft()->saves, 0);
}

TEST_F(ViewDriverTest, SavePressAndEscapeCloseTheKeyWindow) {
    auto window = Application::shared().keyWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(run("press", {"Save"}).lines.size() == 1);
    EXPECT_EQ(draft()->saves, 1);
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(run("escape", {}).error, "no window is key");
}

TEST_F(ViewDriverTest, EscapePressesCancel) {
    auto window = Application::shared().keyWindow();
    EXPECT_EQ(run("escape", {}).lines, (std::vector<std::string>{"Escape pressed the cancel button"}));
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(draft()->saves, 0);
}

TEST_F(ViewDriverTest, FocusGivesTheKeyboardBackToAWindowThatResignedIt) {
    auto window = Application::shared().keyWindow();
    ASSERT_NE(window, nullptr);
    const std::string number = std::to_string(window->windowNumber());
    window->resignKeyWindow();
    session.driver().deactivate();
    EXPECT_EQ(run("escape", {}).error, "no window is key");

    EXPECT_EQ(run("focus", {number}).lines, (std::vector<std::string>{"window " + number + " is key"}));
    EXPECT_TRUE(Application::shared().isActive()) << "clicking into a window activates its application";
    EXPECT_EQ(run("escape", {}).lines, (std::vector<std::string>{"Escape pressed the cancel button"}));
    EXPECT_TRUE(window->isClosed());

    EXPECT_EQ(run("focus", {number}).error, "no visible window " + number) << "a closed window";
    EXPECT_EQ(run("focus", {}).error, "usage: focus WINDOW");
    EXPECT_EQ(run("focus", {"x"}).error, "usage: focus WINDOW");
    auto borderless = Window::make();
    borderless->setStyleMask(WindowStyleMask::borderless);
    borderless->orderFront();
    const std::string other = std::to_string(borderless->windowNumber());
    EXPECT_EQ(run("focus", {other}).error, "window " + other + " cannot become key");
}
