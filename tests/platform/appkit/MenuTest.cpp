#include "platform/appkit/Application.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuDelegate.h"
#include "platform/appkit/MenuItem.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/runloop/RunLoop.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class MenuTest : public ::testing::Test {
protected:
    HeadlessSession session{{Date{0}, "dev.menulets.Test"}};
    std::shared_ptr<Object> target = std::make_shared<Object>();
    std::shared_ptr<Menu> menu = Menu::make("Test");
};

TEST_F(MenuTest, AutomaticEnablingFollowsWhoAnswersTheAction) {
    target->addAction("answered:", [](Object*) {});
    auto noAction = menu->addItem("No action", {});
    auto answered = menu->addItem("Answered", "answered:");
    answered->setTarget(target);
    auto unanswered = menu->addItem("Target does not answer", "other:");
    unanswered->setTarget(target);
    auto chain = menu->addItem("Terminate through the chain", "terminate:");
    auto nobody = menu->addItem("Nobody in the chain", "answered:");
    auto parent = menu->addItem("Submenu", {});
    parent->setSubmenu(Menu::make());
    menu->update();
    EXPECT_FALSE(noAction->isEnabled());
    EXPECT_TRUE(answered->isEnabled());
    EXPECT_FALSE(unanswered->isEnabled());
    EXPECT_TRUE(chain->isEnabled());
    EXPECT_FALSE(nobody->isEnabled());
    EXPECT_TRUE(parent->isEnabled());

    target.reset();
    menu->update();
    EXPECT_FALSE(answered->isEnabled()) << "a target that is gone answers nothing; the chain does not answer either";

    menu->setAutoenablesItems(false);
    noAction->setEnabled(true);
    menu->update();
    EXPECT_TRUE(noAction->isEnabled());
}

TEST_F(MenuTest, ChoosingSendsTheActionWithTheItemAsSenderAndEndsTracking) {
    MenuItem* sender = nullptr;
    target->addAction("pick:", [&](Object* from) { sender = dynamic_cast<MenuItem*>(from); });
    auto submenu = Menu::make();
    auto inner = submenu->addItem("Inner", "pick:");
    inner->setTarget(target);
    inner->setRepresentedObject(std::string("payload"));
    menu->addItem("Outer", {})->setSubmenu(submenu);
    menu->open();
    submenu->open();
    EXPECT_EQ(RunLoop::main().currentMode(), RunLoop::Mode::eventTracking);

    EXPECT_TRUE(menu->choose(inner));
    ASSERT_EQ(sender, inner.get());
    EXPECT_EQ(*std::any_cast<std::string>(&sender->representedObject()), "payload");
    EXPECT_EQ(std::any_cast<int>(&sender->representedObject()), nullptr) << "another kind is detectable";
    EXPECT_FALSE(menu->isOpen());
    EXPECT_FALSE(submenu->isOpen());
    EXPECT_EQ(RunLoop::main().currentMode(), RunLoop::Mode::defaultMode);
}

TEST_F(MenuTest, DisabledEntriesSeparatorsAndEntriesOfOtherMenusCannotBeChosen) {
    int runs = 0;
    target->addAction("pick:", [&](Object*) { ++runs; });
    auto disabled = menu->addItem("Disabled", "pick:");
    menu->addItem(MenuItem::separator());
    auto elsewhere = Menu::make()->addItem("Elsewhere", "pick:");
    elsewhere->setTarget(target);
    EXPECT_FALSE(menu->choose(disabled));
    EXPECT_FALSE(menu->choose(menu->itemAt(1)));
    EXPECT_FALSE(menu->choose(elsewhere));
    EXPECT_EQ(runs, 0);
}

TEST_F(MenuTest, TheDelegateRebuildsTheMenuRightBeforeItOpensAndDefaultTimersWaitWhileOpen) {
    struct Rebuilder : MenuDelegate {
        int updates = 0;
        void menuNeedsUpdate(Menu& menu) override {
            ++updates;
            menu.removeAllItems();
            menu.addItem("Update " + std::to_string(updates), {});
        }
    };
    auto delegate = std::make_shared<Rebuilder>();
    menu->setDelegate(delegate);
    int defaultFirings = 0;
    int commonFirings = 0;
    Timer::scheduled(1.0, true, [&](Timer&) { ++defaultFirings; });
    RunLoop::main().add(Timer::make(1.0, true, [&](Timer&) { ++commonFirings; }), RunLoop::Mode::common);

    menu->open();
    ASSERT_EQ(menu->numberOfItems(), 1);
    EXPECT_EQ(menu->itemAt(0)->title(), "Update 1");
    RunLoop::main().advance(3.0);
    EXPECT_EQ(defaultFirings, 0);
    EXPECT_EQ(commonFirings, 3);
    menu->close();
    RunLoop::main().advance(0.0);
    EXPECT_EQ(defaultFirings, 1) << "a timer that waited fires once when the menu closes";
    menu->open();
    EXPECT_EQ(menu->itemAt(0)->title(), "Update 2");
    menu.reset();
    EXPECT_EQ(RunLoop::main().currentMode(), RunLoop::Mode::defaultMode) << "a menu dropped while open stops tracking";
}

TEST_F(MenuTest, ItemsBelongToOneMenuAtATime) {
    auto item = menu->addItem("Moving", {});
    auto other = Menu::make();
    other->addItem(item);
    EXPECT_EQ(menu->numberOfItems(), 0);
    EXPECT_EQ(item->menu(), other);
    other->removeAllItems();
    EXPECT_EQ(item->menu(), nullptr);
}

} // namespace
