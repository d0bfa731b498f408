#include "ViewsTestFixture.h"

#include "platform/appkit/Scene.h"
#include "platform/appkit/Window.h"
#include "platform/views/Button.h"
#include "platform/views/HostedContent.h"
#include "platform/views/HostingController.h"
#include "platform/views/Stack.h"
#include "platform/views/Text.h"
#include "platform/views/TextField.h"
#include "platform/views/ViewFinder.h"

using namespace platform;

class HostingTest : public ViewsTest {
protected:
    Event key(unsigned short code, std::string characters) const {
        Event event;
        event.type = EventType::keyDown;
        event.keyCode = code;
        event.characters = std::move(characters);
        return event;
    }
};

TEST_F(HostingTest, EscapePressesTheInvisibleCancelButtonOfTheKeyWindow) {
    int appeared = 0;
    auto controller = HostingController::make(
        VStack{Text("Stretch your eyes"), Button("Hidden", [] {
                                             if (auto window = Application::shared().keyWindow()) {
                                                 window->close();
                                             }
                                         })
                                              .opacity(0)
                                              .keyboardShortcut(KeyboardShortcut::cancelAction())}
            .padding()
            .frame(FrameLimits{.minWidth = 200, .minHeight = 200})
            .onAppear([&] { ++appeared; }));
    auto window = Window::withContentViewController(controller);
    EXPECT_EQ(appeared, 0);

    window->makeKeyAndOrderFront();
    window->orderOut();
    window->makeKeyAndOrderFront();
    EXPECT_EQ(appeared, 1) << "showing again does not appear again";

    EXPECT_FALSE(window->keyDown(key(KeyCode::returnKey, "\r")));
    EXPECT_TRUE(window->keyDown(key(KeyCode::escape, "\x1b")));
    EXPECT_TRUE(window->isClosed());
}

TEST_F(HostingTest, ReturnCommitsTheFieldThenPressesTheDefaultButton) {
    std::string saved;
    std::string draft = "old";
    auto controller = HostingController::make(VStack{
        TextField("Note", Binding<std::string>([&] { return draft; }, [&](std::string v) { draft = v; })),
        Button("Save", [&] { saved = draft; }).keyboardShortcut(KeyboardShortcut::defaultAction()),
        Button("Copy", [&] { saved = "copied"; }).keyboardShortcut(KeyboardShortcut::of("c", ModifierFlags::command)),
    });
    auto window = Window::withContentViewController(controller);
    window->makeKeyAndOrderFront();
    ViewFinder(controller->rootView().node()).first<TextField::Node>("Note")->replaceText("new");

    EXPECT_TRUE(window->keyDown(key(KeyCode::returnKey, "\r")));
    EXPECT_EQ(saved, "new");
    EXPECT_EQ(controller->graph().focusedField(), nullptr);

    Event copy = key(8, "c");
    copy.modifierFlags = ModifierFlags::command;
    EXPECT_TRUE(window->keyDown(copy));
    EXPECT_EQ(saved, "copied");
    EXPECT_FALSE(window->keyDown(key(8, "c")));
}

TEST_F(HostingTest, WindowGroupContentHostsAFreshViewPerWindow) {
    int made = 0;
    WindowGroup group(hostedContent([&] {
        ++made;
        return Text("Hello, world!").padding().frame(380, 400);
    }));
    auto first = group.content()();
    auto second = group.content()();
    EXPECT_EQ(made, 2);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->describe(), "Text \"Hello, world!\" .padding(16) .frame(width: 380, height: 400)\n");
    EXPECT_EQ(first->preferredContentSize(), (Size{380, 400}));
}
