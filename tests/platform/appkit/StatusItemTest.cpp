#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/Window.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/runloop/RunLoop.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class StatusItemTest : public ::testing::Test {
protected:
    HeadlessSession session{{Date{0}, "dev.menulets.Test"}};
    std::shared_ptr<StatusItem> item = StatusBar::system().statusItem(StatusItem::variableLength);
    std::shared_ptr<Object> target = std::make_shared<Object>();
    std::vector<EventType> received;

    void SetUp() override {
        target->addAction("clicked:", [this](Object*) { received.push_back(Application::shared().currentEvent()->type); });
        item->button()->setTarget(target);
        item->button()->setAction("clicked:");
    }

    void press(EventType type) {
        Event event;
        event.type = type;
        Application::shared().dispatch(event, [&] { item->button()->handleMouseEvent(event); });
    }
};

TEST_F(StatusItemTest, TheButtonsWindowComesOnTheNextTurnAtTheStatusLevel) {
    EXPECT_EQ(item->button()->window(), nullptr);
    RunLoop::main().runOneTurn();
    auto window = item->button()->window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->level(), WindowLevel::statusBar);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->canBecomeKeyWindow());
    item.reset();
    EXPECT_TRUE(window->isClosed()) << "an item its owner lets go of leaves the bar with its window";
    EXPECT_TRUE(StatusBar::system().items().empty());
}

TEST_F(StatusItemTest, TheButtonSendsOnlyOnTheEventsOfItsMask) {
    for (auto type : {EventType::leftMouseDown, EventType::leftMouseUp, EventType::rightMouseUp}) {
        press(type);
    }
    EXPECT_EQ(received, std::vector<EventType>{EventType::leftMouseUp}) << "a new button sends on left release only";
    received.clear();
    EXPECT_EQ(item->button()->sendActionOn(EventMask::leftMouseUp | EventMask::rightMouseUp), EventMask::leftMouseUp);
    EXPECT_EQ(item->button()->sendActionMask(), 20u);
    for (auto type : {EventType::rightMouseDown, EventType::rightMouseUp, EventType::leftMouseUp}) {
        press(type);
    }
    EXPECT_EQ(received, (std::vector<EventType>{EventType::rightMouseUp, EventType::leftMouseUp}));
}

TEST_F(StatusItemTest, AnItemWithAMenuOpensItOnAnyPressAndSendsNoAction) {
    item->button()->sendActionOn(EventMask::leftMouseUp | EventMask::rightMouseUp | EventMask::rightMouseDown);
    auto menu = Menu::make("Menu");
    item->setMenu(menu);
    press(EventType::rightMouseDown);
    EXPECT_EQ(session.server().trackedMenu(), menu);
    EXPECT_TRUE(menu->isOpen());
    press(EventType::rightMouseUp);
    EXPECT_TRUE(received.empty());
}

TEST_F(StatusItemTest, TheTargetIsHeldWeakly) {
    std::weak_ptr<Object> weak = target;
    target.reset();
    EXPECT_TRUE(weak.expired());
    press(EventType::leftMouseUp);
    EXPECT_TRUE(received.empty());
}

TEST(SymbolImageTest, KnownNamesGiveNewTemplateImagesAndOthersNone) {
    auto first = Image::systemSymbol("hourglass", "Time");
    auto second = Image::systemSymbol("hourglass", "");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->symbolName(), "hourglass");
    EXPECT_EQ(first->accessibilityDescription(), "Time");
    EXPECT_TRUE(first->isTemplate());
    first->setSize({22, 22});
    EXPECT_EQ(first->size(), (Size{22, 22}));
    EXPECT_NE(second->size(), (Size{22, 22}));
    for (const auto& name : Image::symbolNames()) {
        EXPECT_NE(Image::systemSymbol(name, ""), nullptr) << name;
    }
    EXPECT_EQ(Image::symbolNames().size(), 12u);
    EXPECT_EQ(Image::systemSymbol("", ""), nullptr);
    EXPECT_EQ(Image::systemSymbol("hourglass.fill", ""), nullptr);
}

} // namespace
