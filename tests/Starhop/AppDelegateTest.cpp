#include "tests/support/TemporaryHome.h"

#include "Starhop/AppDelegate.h"
#include "Starhop/StarhopApp.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Pasteboard.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/headless/HeadlessSession.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {

using Lines = std::vector<std::string>;
constexpr auto key = Starhop::AppDelegate::urlKey;
const std::string emptyTip = "Drag and drop a url onto this";

// A fresh home, and the program started (and restarted) on the headless
// window server.
class StarhopTest : public ::testing::Test {
protected:
    void TearDown() override {
        session.reset();
        // Nothing may be left to write once the home folder is gone.
        UserDefaults::standard().synchronize();
    }
    void launch() {
        session.reset();
        session = std::make_unique<HeadlessSession>(HeadlessSession::Options{Date{1'780'000'000}, "dev.menulets.Starhop"});
        session->launch<Starhop::StarhopApp>();
        driver().takeEvents();
    }
    HeadlessDriver& driver() { return session->driver(); }
    Starhop::AppDelegate& delegate() { return *session->delegateAs<Starhop::AppDelegate>(); }
    StatusBarButton& button() { return *driver().statusItem()->button(); }
    std::string tooltip() { return button().toolTip(); }
    // What the user saw happen: URLs opened and the end of the program.
    Lines happenings() {
        Lines lines;
        for (const auto& event : driver().takeEvents()) {
            if (event.kind == "opened" || event.kind == "openFailed" || event.kind == "terminate") {
                lines.push_back(event.describe());
            }
        }
        return lines;
    }
    // The URL in the defaults as the next start reads it.
    std::optional<URL> storedURL() { return UserDefaults::standard().url(key); }

    menulets::testing::TemporaryHome home;
    std::unique_ptr<HeadlessSession> session;
};

TEST_F(StarhopTest, FirstStartShowsTheRocketAndAClickDoesNothing) {
    launch();
    for (const auto& window : Application::shared().windows()) {
        EXPECT_EQ(window->kind(), "status bar window");
    }
    EXPECT_EQ(driver().statusItem()->describeLength(), "22");
    EXPECT_EQ(button().title(), "\U0001F680");
    EXPECT_EQ(button().accessibilityHelp(), "Star Hop");
    EXPECT_EQ(button().image(), nullptr);
    EXPECT_FALSE(button().appearsDisabled());
    EXPECT_EQ(tooltip(), emptyTip);
    EXPECT_EQ(button().sendActionMask(), EventMask::leftMouseUp | EventMask::rightMouseUp);
    EXPECT_EQ(button().window()->registeredDraggedTypes(), Lines{"public.url"});
    EXPECT_EQ(delegate().url, std::nullopt);

    driver().click();
    driver().click(ModifierFlags::command | ModifierFlags::shift);
    EXPECT_EQ(happenings(), Lines{});
    EXPECT_FALSE(UserDefaults::standard().object(key));
}

TEST_F(StarhopTest, ADroppedLinkIsOpenedAndKeptAcrossRestarts) {
    launch();
    EXPECT_TRUE(driver().dropURL("https://a.example/page?q=1#top", "Page A").accepted);
    EXPECT_EQ(tooltip(), "Open https://a.example/page?q=1#top");
    driver().click();
    driver().click();
    EXPECT_EQ(happenings(), (Lines{"opened url=\"https://a.example/page?q=1#top\"",
                                   "opened url=\"https://a.example/page?q=1#top\""}));

    launch();
    EXPECT_EQ(delegate().url, URL::fromString("https://a.example/page?q=1#top"));
    EXPECT_EQ(tooltip(), "Open https://a.example/page?q=1#top");
    driver().click();
    EXPECT_EQ(happenings(), Lines{"opened url=\"https://a.example/page?q=1#top\""});
}

TEST_F(StarhopTest, ASecondDropReplacesTheFirst) {
    launch();
    driver().dropURL("https://a.example/");
    driver().dropURL("mailto:b@b.example");
    EXPECT_EQ(tooltip(), "Open mailto:b@b.example");
    EXPECT_EQ(storedURL(), URL::fromString("mailto:b@b.example"));
    driver().click();
    EXPECT_EQ(happenings(), Lines{"opened url=\"mailto:b@b.example\""});
}

TEST_F(StarhopTest, OptionClickForgetsTheLinkAlsoInTheDefaults) {
    launch();
    driver().dropURL("https://a.example/");
    driver().click(ModifierFlags::option);
    EXPECT_EQ(tooltip(), emptyTip);
    EXPECT_EQ(delegate().url, std::nullopt);
    EXPECT_FALSE(UserDefaults::standard().object(key));
    EXPECT_EQ(happenings(), Lines{});

    // Forgetting nothing is no change either.
    driver().click(ModifierFlags::option | ModifierFlags::command);
    EXPECT_FALSE(UserDefaults::standard().object(key));

    launch();
    EXPECT_EQ(delegate().url, std::nullopt);
    EXPECT_EQ(tooltip(), emptyTip);
}

TEST_F(StarhopTest, ARightClickQuitsEvenWithOptionHeldAndKeepsTheLink) {
    launch();
    driver().dropURL("https://a.example/");
    driver().rightClick(ModifierFlags::option);
    EXPECT_EQ(happenings(), Lines{"terminate status=0"});
    EXPECT_TRUE(session->isTerminated());

    launch();
    EXPECT_EQ(delegate().url, URL::fromString("https://a.example/"));
}

TEST_F(StarhopTest, DropsWithoutAReadableURLChangeNothing) {
    launch();
    driver().dropURL("https://a.example/");

    // Plain text never reaches the item; asked directly, it refuses it.
    EXPECT_FALSE(driver().dropText("https://b.example/").reachedDestination);
    DraggingInfo text(Pasteboard::forText("https://b.example/"));
    EXPECT_EQ(delegate().draggingEntered(text), DragOperation::copy);
    EXPECT_FALSE(delegate().handleDrop(text));
    DraggingInfo nothing{Pasteboard()};
    EXPECT_FALSE(delegate().handleDrop(nothing));

    // A link type whose text is no URL with a scheme is refused.
    auto unreadable = driver().dropURL("not a url", "x");
    EXPECT_EQ(unreadable.operation, DragOperation::copy);
    EXPECT_FALSE(unreadable.accepted);
    EXPECT_FALSE(driver().dropURL("--help").accepted);

    EXPECT_EQ(tooltip(), "Open https://a.example/");
    EXPECT_EQ(storedURL(), URL::fromString("https://a.example/"));
}

TEST_F(StarhopTest, AStoredStringIsReadAsAFilePath) {
    launch();
    UserDefaults::standard().set("~/Notes/today.txt", key);
    launch();
    const URL file = URL::fileURL(home.path() + "/Notes/today.txt", false);
    EXPECT_EQ(delegate().url, file);
    EXPECT_EQ(tooltip(), "Open " + file.absoluteString());
}

TEST_F(StarhopTest, AStoredValueThatIsNoURLCountsAsNone) {
    launch();
    for (const auto& value : {PropertyList(std::string()), PropertyList::integer(3),
                              PropertyList(Data{'b', 'p', 'l', 'i', 's', 't'})}) {
        UserDefaults::standard().set(value, key);
        launch();
        EXPECT_EQ(delegate().url, std::nullopt);
        EXPECT_EQ(tooltip(), emptyTip);
        driver().click();
        EXPECT_EQ(happenings(), Lines{});
    }
    // The next drop writes over what could not be read.
    driver().dropURL("https://a.example/");
    EXPECT_EQ(storedURL(), URL::fromString("https://a.example/"));
}

} // namespace
