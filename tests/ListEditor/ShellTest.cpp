#include "tests/ListEditor/ListEditorTestSupport.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/ViewDriver.h"
#include "platform/plist/BinaryPropertyList.h"

#include <algorithm>
#include <optional>

using namespace platform;

namespace list_editor_test {
namespace {

template <typename Program>
class ShellTest : public ::testing::Test, public ListEditorTest<Program> {
protected:
    using Values = typename ListEditorTest<Program>::Values;
    using Delegate = typename Program::Delegate;

    void SetUp() override { this->openDefaults(); }

    // A start of the program, after the previous run (if any) has ended.
    void launch() {
        session.reset();
        session.emplace(HeadlessSession::Options{Date{1'781'000'000}, ShellApp<Program>::bundleIdentifier});
        session->template launch<ShellApp<Program>>();
    }
    HeadlessDriver& driver() { return session->driver(); }
    ViewDriver views() { return ViewDriver(session->driver()); }
    auto& barButton() { return *session->template delegateAs<Delegate>()->barButton; }
    std::shared_ptr<Window> listWindow() { return barButton().windowController()->window(); }
    std::vector<std::string> texts() {
        std::vector<std::string> texts;
        for (const auto& entry : barButton().store()->list.get()) {
            texts.push_back(entry.text);
        }
        return texts;
    }
    bool shows(const std::string& line) {
        auto lines = views().viewLines(listWindow()->windowNumber());
        return std::any_of(lines.begin(), lines.end(),
                           [&line](const std::string& shown) { return shown.find(line) != std::string::npos; });
    }
    static std::string placeholder() { return std::string(Values::placeholder); }

    std::optional<HeadlessSession> session;
};

TYPED_TEST_SUITE(ShellTest, Programs);

TYPED_TEST(ShellTest, LeftClicksToggleTheWindowWhichKeepsItsListAndClosesWhenTheProgramIsNotActive) {
    this->launch();
    auto window = this->listWindow();
    EXPECT_FALSE(window->isVisible());
    for (const auto& open : Application::shared().windows()) {
        EXPECT_TRUE(open == window || open->kind() == "status bar window") << "the window group's window is closed";
    }

    this->driver().click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_TRUE(this->views().type(this->placeholder(), "Kept").succeeded);
    this->driver().click();
    EXPECT_FALSE(window->isVisible());
    this->driver().click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(this->shows("text=\"Kept\""));

    this->driver().deactivate();
    EXPECT_FALSE(window->isVisible());
    this->driver().activate();
    EXPECT_FALSE(window->isVisible()) << "closed, not hidden until the program is active again";
    this->driver().click();
    EXPECT_EQ(this->texts(), std::vector<std::string>{"Kept"});
    EXPECT_EQ(this->listWindow(), window);
}

TYPED_TEST(ShellTest, DeletingTheOnlyRowLeavesTheAddButtonAndTheNextStartAnEmptyList) {
    this->launch();
    this->driver().click();
    EXPECT_TRUE(this->views().chooseContextItem(this->placeholder(), std::string(TestFixture::Values::deleteLabel)).succeeded);
    EXPECT_TRUE(this->texts().empty());
    this->driver().advance(0.5);
    EXPECT_EQ(this->storedList(), std::vector<typename TestFixture::Entry>{});

    this->launch();
    EXPECT_TRUE(this->texts().empty());
    this->driver().click();
    EXPECT_FALSE(this->shows("TextField"));
    EXPECT_TRUE(this->shows("Button \"" + std::string(TestFixture::Values::addLabel) + "\""));
}

TYPED_TEST(ShellTest, AddedEntriesAndEditsStillWaitingAreWrittenHoweverTheProgramEnds) {
    this->launch();
    this->driver().click();
    this->driver().takeEvents();
    this->views().type(this->placeholder(), "Typed");
    this->driver().advance(0.2);
    this->driver().rightClick();
    EXPECT_TRUE(this->session->isTerminated());
    for (const auto& event : this->driver().takeEvents()) {
        EXPECT_NE(event.kind, "windowShown") << "a right click opens nothing";
    }
    ASSERT_TRUE(this->storedList().has_value());
    EXPECT_EQ(this->storedList()->size(), 1u);
    EXPECT_EQ(this->storedList()->front().text, "Typed");

    this->launch();
    this->driver().click();
    EXPECT_TRUE(this->views().press(std::string(TestFixture::Values::addLabel)).succeeded);
    Application::shared().terminate(nullptr);
    ASSERT_TRUE(this->storedList().has_value());
    EXPECT_EQ(this->storedList()->size(), 2u);
    EXPECT_EQ(this->storedList()->back().text, TestFixture::Values::newEntryText);

    this->launch();
    this->driver().click();
    EXPECT_TRUE(this->views().press(std::string(TestFixture::Values::addLabel)).succeeded);
    this->driver().advance(0.5);
    EXPECT_EQ(this->storedList()->size(), 3u) << "an added entry is saved like an edit, without quitting";
    EXPECT_EQ(this->output.str(), this->saveLines(3));
}

TYPED_TEST(ShellTest, LaunchLoadsTheListAndRewritesNothing) {
    // The keys in another order than a save writes them: any rewrite would show.
    auto written = PropertyListEncoder::encodeToTree(this->entry("Loaded"));
    PropertyListDictionary reordered;
    for (const char* key : {"completed", "text", "id"}) {
        reordered.set(key, *written.dictionary()->find(key));
    }
    const PropertyList value(BinaryPropertyList::write(PropertyListArray{reordered}));
    this->store(value);

    this->launch();
    EXPECT_EQ(this->texts(), std::vector<std::string>{"Loaded"});
    this->driver().advance(10);
    EXPECT_EQ(this->stored(), value);
    EXPECT_EQ(this->output.str(), "");
}

} // namespace
} // namespace list_editor_test
