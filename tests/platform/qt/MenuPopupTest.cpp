#include "platform/appkit/Application.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuDelegate.h"
#include "platform/appkit/MenuItem.h"
#include "platform/qt/MenuPopup.h"
#include "platform/runloop/RunLoop.h"
#include "tests/platform/qt/OffscreenApplication.h"
#include "tests/support/VirtualClockTest.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>

using namespace platform;

namespace {

// Rebuilds the menu each time it opens, counting the openings in its titles.
class CountingDelegate : public MenuDelegate {
public:
    void menuNeedsUpdate(Menu& menu) override {
        ++openings;
        menu.removeAllItems();
        menu.addItem("Opened " + std::to_string(openings) + " & counted", "count:")->setTarget(target);
        menu.addItem(MenuItem::separator());
        auto more = MenuItem::make("More");
        auto submenu = Menu::make("More");
        submenu->addItem("Deep", "count:")->setTarget(target);
        submenu->addItem("Nobody answers", "unanswered:");
        more->setSubmenu(submenu);
        menu.addItem(more);
        menu.addItem("Also nobody", "unanswered:");
    }
    int openings = 0;
    std::shared_ptr<Object> target;
};

// Fills its menu only as it opens, as a folder's listing does.
class ListingDelegate : public MenuDelegate {
public:
    void menuNeedsUpdate(Menu& menu) override {
        menu.removeAllItems();
        menu.addItem("Listed on opening " + std::to_string(++openings), "count:")->setTarget(target);
    }
    int openings = 0;
    std::shared_ptr<Object> target;
};

class MenuPopupTest : public menulets::testing::VirtualClockTest {
protected:
    void SetUp() override {
        VirtualClockTest::SetUp();
        menulets::testing::offscreenApplication();
        Application::shared().reset();
        delegate->target = target;
        target->addAction("count:", [this](Object* sender) {
            senders.push_back(sender);
            events.push_back(Application::shared().currentEvent().value_or(Event{}).type);
        });
        menu->setDelegate(delegate);
    }
    void TearDown() override {
        Application::shared().reset();
        VirtualClockTest::TearDown();
    }

    std::unique_ptr<MenuPopup> open() {
        auto popup = std::make_unique<MenuPopup>(menu, [this] { ++closings; });
        popup->popUp({10, 10});
        return popup;
    }
    static void settle() { QCoreApplication::processEvents(); }
    static QStringList texts(const QMenu& menu) {
        QStringList list;
        for (QAction* action : menu.actions()) {
            list << (action->isSeparator() ? "---" : action->text() + (action->isEnabled() ? "" : " (disabled)"));
        }
        return list;
    }

    std::shared_ptr<Object> target = std::make_shared<Object>();
    std::shared_ptr<CountingDelegate> delegate = std::make_shared<CountingDelegate>();
    std::shared_ptr<Menu> menu = Menu::make("Apps");
    std::vector<Object*> senders;
    std::vector<EventType> events;
    int closings = 0;
};

TEST_F(MenuPopupTest, OpeningRebuildsTheMenuAndShowsItsEntriesAsTheModelEnablesThem) {
    auto popup = open();
    EXPECT_TRUE(menu->isOpen());
    EXPECT_EQ(loop.currentMode(), RunLoop::Mode::eventTracking) << "default-mode timers wait while it is open";
    EXPECT_EQ(texts(popup->popup()),
              QStringList({"Opened 1 && counted", "---", "More", "Also nobody (disabled)"}));
    QMenu* sub = popup->popup().actions()[2]->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(texts(*sub), QStringList({"Deep", "Nobody answers (disabled)"}));

    popup->dismiss();
    settle();
    EXPECT_FALSE(menu->isOpen());
    EXPECT_EQ(loop.currentMode(), RunLoop::Mode::defaultMode);
    EXPECT_EQ(closings, 1);
    EXPECT_TRUE(senders.empty()) << "dismissed: nothing sent";

    auto again = open();
    EXPECT_EQ(texts(again->popup())[0], "Opened 2 && counted");
}

TEST_F(MenuPopupTest, AChosenEntrySendsItsActionAfterTheMenuClosedWithTheEntryAsSender) {
    auto popup = open();
    QMenu* sub = popup->popup().actions()[2]->menu();
    auto deep = menu->itemAt(2)->submenu()->itemAt(0);
    // As Qt does it: the popup hides, then the action triggers.
    popup->popup().hide();
    sub->actions()[0]->trigger();
    EXPECT_TRUE(senders.empty()) << "nothing goes out before the menu has closed";
    settle();
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], deep.get());
    EXPECT_EQ(events[0], EventType::leftMouseUp);
    EXPECT_FALSE(menu->isOpen());
    EXPECT_EQ(loop.currentMode(), RunLoop::Mode::defaultMode);
    EXPECT_EQ(closings, 1);
}

TEST_F(MenuPopupTest, ASubmenuFilledAsItOpensShowsItsEntriesOnceItShows) {
    auto listing = std::make_shared<ListingDelegate>();
    listing->target = target;
    auto folder = Menu::make("Utilities");
    folder->setDelegate(listing);
    auto top = Menu::make("Apps");
    auto entry = MenuItem::make("Utilities");
    entry->setSubmenu(folder);
    top->addItem(entry);

    MenuPopup popup(top, [] {});
    popup.popUp(QPoint());
    QMenu* sub = popup.popup().actions()[0]->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(texts(*sub).isEmpty()) << "nothing is listed before the submenu opens";
    Q_EMIT sub->aboutToShow();
    EXPECT_TRUE(folder->isOpen());
    EXPECT_EQ(texts(*sub), QStringList({"Listed on opening 1"}));
    Q_EMIT sub->aboutToHide();
    EXPECT_FALSE(folder->isOpen());
    Q_EMIT sub->aboutToShow();
    EXPECT_EQ(texts(*sub), QStringList({"Listed on opening 2"}));
    popup.dismiss();
    settle();
    EXPECT_FALSE(top->isOpen());
    EXPECT_FALSE(folder->isOpen());
}

} // namespace
