#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/MenuListing.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(MenuListingTest, PathsFindEntriesWhoseTitlesHoldSlashesTabsAndSpaces) {
    HeadlessSession session({Date{0}, "dev.menulets.Test"});
    auto target = std::make_shared<Object>();
    target->addAction("pick:", [](Object*) {});
    auto menu = Menu::make("Cart");
    auto category = menu->addItem("a.example/shop", {});
    auto submenu = Menu::make("a.example/shop");
    auto item = submenu->addItem("$30.15 \t Socks", "pick:");
    item->setTarget(target);
    submenu->addItem("Total: $30.15", {});
    category->setSubmenu(submenu);
    menu->addItem(MenuItem::separator());
    menu->addItem("Quit", "terminate:", "q");
    menu->update();

    EXPECT_EQ(MenuListing::lines(*menu), (std::vector<std::string>{
                                             "a.example/shop >",
                                             "  $30.15 \\t Socks",
                                             "  Total: $30.15 [disabled]",
                                             "-----",
                                             "Quit [key: q]",
                                         }));
    EXPECT_EQ(MenuListing::find(*menu, "a.example/shop/$30.15 \\t Socks"), item);
    EXPECT_EQ(MenuListing::find(*menu, "a.example/shop/$30.15 Socks"), item);
    EXPECT_EQ(MenuListing::find(*menu, "a.example/shop/$30.15 \t Socks"), item);
    EXPECT_EQ(MenuListing::find(*menu, "a.example/shop"), category);
    EXPECT_EQ(MenuListing::find(*menu, "a.example/Socks"), nullptr);
    EXPECT_EQ(MenuListing::find(*menu, "-----"), nullptr);
    EXPECT_FALSE(submenu->isOpen()) << "submenus are open only while looked into";
}

} // namespace
