#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/defaults/DefaultsFile.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/headless/HeadlessSession.h"

#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct Recorder : Object, WindowDelegate, ApplicationDelegate {
    std::vector<std::string> received;
    void answer(const Selector& selector, const std::string& name) {
        addAction(selector, [this, name](Object*) { received.push_back(name); });
    }
};

class ResponderChainTest : public ::testing::Test {
protected:
    menulets::testing::TemporaryHome home;
    HeadlessSession session{{Date{0}, "dev.menulets.Test"}};
};

TEST_F(ResponderChainTest, ActionsAreAnsweredOnlyOnceRegisteredAndCanBeRemoved) {
    Object object;
    int runs = 0;
    Object* seenSender = nullptr;
    object.addAction("go:", [&](Object* sender) {
        ++runs;
        seenSender = sender;
    });
    EXPECT_TRUE(object.respondsTo("go:"));
    EXPECT_FALSE(object.respondsTo("go"));
    EXPECT_TRUE(object.perform("go:", &object));
    EXPECT_EQ(seenSender, &object);
    object.removeAction("go:");
    EXPECT_FALSE(object.perform("go:", nullptr));
    EXPECT_EQ(runs, 1);
}

TEST_F(ResponderChainTest, WithoutTargetTheKeyWindowItsDelegateTheApplicationAndItsDelegateAreAskedInOrder) {
    auto& application = Application::shared();
    auto appDelegate = std::make_shared<Recorder>();
    application.setDelegate(appDelegate);
    auto windowDelegate = std::make_shared<Recorder>();
    auto window = Window::make();
    window->setDelegate(windowDelegate);
    window->makeKeyAndOrderFront();
    ASSERT_EQ(application.keyWindow(), window);

    appDelegate->answer("act:", "app delegate");
    EXPECT_TRUE(application.sendAction("act:", nullptr, nullptr));
    windowDelegate->answer("act:", "window delegate");
    EXPECT_TRUE(application.sendAction("act:", nullptr, nullptr));
    window->addAction("act:", [&](Object*) { windowDelegate->received.push_back("window"); });
    EXPECT_TRUE(application.sendAction("act:", nullptr, nullptr));
    EXPECT_EQ(appDelegate->received, std::vector<std::string>{"app delegate"});
    EXPECT_EQ(windowDelegate->received, (std::vector<std::string>{"window delegate", "window"}));

    window->resignKeyWindow();
    windowDelegate->received.clear();
    EXPECT_TRUE(application.sendAction("act:", nullptr, nullptr));
    EXPECT_TRUE(windowDelegate->received.empty()) << "a window that is not key is not in the chain";
    EXPECT_FALSE(application.sendAction("nobody:", nullptr, nullptr));
}

TEST_F(ResponderChainTest, AnExplicitTargetIsTheOnlyOneAsked) {
    auto appDelegate = std::make_shared<Recorder>();
    appDelegate->answer("act:", "app delegate");
    Application::shared().setDelegate(appDelegate);
    Recorder target;
    EXPECT_FALSE(Application::shared().sendAction("act:", &target, nullptr));
    EXPECT_TRUE(appDelegate->received.empty());
}

TEST_F(ResponderChainTest, TerminateTellsTheDelegateWritesTheDefaultsAndExitsWithStatusZeroOnce) {
    struct Ending : ApplicationDelegate {
        int willTerminate = 0;
        // Set during will-terminate, after the last run-loop turn: only the flush at exit saves it.
        void applicationWillTerminate() override { UserDefaults::standard().set(++willTerminate, "ends"); }
    };
    auto delegate = std::make_shared<Ending>();
    Application::shared().setDelegate(delegate);
    std::vector<int> statuses;
    Application::shared().setExitHandler([&](int status) { statuses.push_back(status); });
    EXPECT_TRUE(Application::shared().sendAction("terminate:", nullptr, nullptr));
    Application::shared().terminate(nullptr);
    EXPECT_EQ(delegate->willTerminate, 1);
    EXPECT_EQ(statuses, std::vector<int>{0});
    const DefaultsFile::Contents saved = DefaultsFile(UserDefaults::standard().path()).read();
    ASSERT_EQ(saved.status, DefaultsFile::Status::loaded) << saved.error;
    const PropertyList* ends = saved.values.find("ends");
    ASSERT_NE(ends, nullptr);
    EXPECT_EQ(*ends, PropertyList::integer(1));
}

TEST_F(ResponderChainTest, WindowsLeaveTheListWhenClosedAndComeBackWhenShownAgain) {
    auto first = Window::make();
    auto second = Window::make();
    EXPECT_EQ(Application::shared().windows(), (std::vector<std::shared_ptr<Window>>{first, second}));
    first->makeKeyAndOrderFront();
    first->close();
    EXPECT_EQ(Application::shared().windows(), std::vector<std::shared_ptr<Window>>{second});
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(Application::shared().keyWindow(), nullptr);
    first->makeKeyAndOrderFront();
    EXPECT_EQ(Application::shared().windows(), (std::vector<std::shared_ptr<Window>>{first, second}))
        << "the list keeps the order windows were made in";
}

TEST_F(ResponderChainTest, OnlyOneWindowIsKeyAndAHudOrTitledWindowCanBe) {
    auto first = Window::make();
    auto second = Window::make();
    first->makeKeyAndOrderFront();
    second->makeKeyAndOrderFront();
    EXPECT_FALSE(first->isKeyWindow());
    EXPECT_TRUE(second->isKeyWindow());
    second->setStyleMask(WindowStyleMask::hudWindow);
    EXPECT_TRUE(second->isKeyWindow());
    second->setStyleMask(WindowStyleMask::borderless);
    EXPECT_FALSE(second->isKeyWindow());
}

} // namespace
