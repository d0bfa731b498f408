#include "tests/Pricetray/PricetrayTestSupport.h"

#include "Pricetray/AppDelegate.h"
#include "Pricetray/PricetrayApp.h"

#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/headless/ViewDriver.h"

#include <any>

using namespace platform;
using pricetray_test::itemNode;
using pricetray_test::linkNode;
using pricetray_test::storeNode;

namespace {

using Lines = std::vector<std::string>;

const Lines fixedEntries{"  -----", "  Preferences [disabled]", "  Quit"};

const PropertyList shoes =
    PropertyListArray{linkNode("https://a.example/boots"), itemNode("https://a.example/boots", "Boots", 80, "Shoes"),
                      linkNode("https://a.example/laces"), itemNode("https://a.example/laces", "Laces", 3.5, "Shoes")};
const PropertyList clothes =
    PropertyListArray{linkNode("https://b.example/hat"), itemNode("https://b.example/hat", "Hat", 12.5, "Clothes")};
// The later name first, as a user may have filed them.
const PropertyList twoCategories = storeNode({{"Shoes", shoes}, {"Clothes", clothes}});

class MenuBarButtonTest : public pricetray_test::PricetrayTest {
protected:
    void launch(const std::optional<PropertyList>& stored = std::nullopt) {
        if (stored) {
            storeTree(*stored);
        }
        session.launch<Pricetray::PricetrayApp>();
        driver().takeEvents();
    }
    Pricetray::MenuBarButton& barButton() { return *session.delegateAs<Pricetray::AppDelegate>()->barButton; }

    Lines menu() {
        driver().openMenu();
        auto lines = driver().menuLines();
        driver().closeMenu();
        return lines;
    }
    // The whole menu, one group of lines per category.
    static Lines cart(std::initializer_list<Lines> categories) {
        Lines lines{"menu \"Cart\":"};
        for (const auto& entries : categories) {
            lines.insert(lines.end(), entries.begin(), entries.end());
        }
        lines.insert(lines.end(), fixedEntries.begin(), fixedEntries.end());
        return lines;
    }
    // A category's entry: each item with its actions, then its total and "Delete items".
    static Lines category(const std::string& name, const Lines& items, const std::string& total) {
        Lines lines{"  " + name + " >"};
        for (const auto& item : items) {
            lines.insert(lines.end(), {"    " + item + " >", "      Open", "      Edit", "      Delete"});
        }
        lines.insert(lines.end(), {"    Total: " + total + " [disabled]", "    Delete items"});
        return lines;
    }
    // The opened links and failed opens since the last look.
    Lines opened() {
        Lines lines;
        for (const auto& event : driver().takeEvents()) {
            if (event.kind == "opened" || event.kind == "openFailed") {
                lines.push_back(event.describe());
            }
        }
        return lines;
    }
};

TEST_F(MenuBarButtonTest, TheCartItemOpensTheSameMenuOnEveryKindOfClick) {
    launch();
    auto button = driver().statusItem()->button();
    EXPECT_EQ(button->image()->describe(), "cart 22x22 template");
    EXPECT_EQ(button->image()->accessibilityDescription(), "");
    EXPECT_EQ(button->title(), "");
    EXPECT_EQ(button->toolTip(), "Drop a product link here to save it. \nRight click to quit.");
    EXPECT_EQ(button->imagePosition(), ImagePosition::imageLeft);
    EXPECT_FALSE(button->appearsDisabled());
    EXPECT_EQ(button->window()->registeredDraggedTypes(), std::vector<PasteboardTypeName>{"public.url"});
    EXPECT_EQ(menu(), cart({}));
    for (auto modifiers : {ModifierFlags::option, ModifierFlags::control}) {
        driver().rightClick(modifiers);
        EXPECT_EQ(driver().menuLines(), cart({}));
        driver().closeMenu();
        driver().click(modifiers);
        EXPECT_EQ(driver().menuLines(), cart({}));
        driver().closeMenu();
    }
    EXPECT_FALSE(session.isTerminated());
    EXPECT_EQ(driver().choose("Preferences"), ChooseResult::disabled);
    EXPECT_EQ(driver().choose("Quit"), ChooseResult::chosen);
    EXPECT_TRUE(session.isTerminated());
}

TEST_F(MenuBarButtonTest, ListsCategoriesAndItemsInTheStoredOrderWithTotals) {
    launch(twoCategories);
    const Lines listed = cart({category("Shoes", {"$80.00 \\t Boots", "$3.50 \\t Laces"}, "$83.50"),
                               category("Clothes", {"$12.50 \\t Hat"}, "$12.50")});
    EXPECT_EQ(menu(), listed);
    EXPECT_EQ(menu(), listed);
    auto entry = driver().statusItem()->menu()->itemAt(0)->submenu()->itemAt(1);
    EXPECT_EQ(entry->title(), "$3.50 \t Laces");
    EXPECT_EQ(std::any_cast<Pricetray::ItemPlace>(entry->representedObject()),
              (Pricetray::ItemPlace{"Shoes", pricetray_test::url("https://a.example/laces")}));

    EXPECT_EQ(driver().choose("Clothes/$12.50 Hat/Open"), ChooseResult::chosen);
    EXPECT_EQ(opened(), Lines{"opened url=\"https://b.example/hat\""});
    EXPECT_EQ(storedTree(), twoCategories) << "opening changes nothing";
}

TEST_F(MenuBarButtonTest, DeletesSaveAtOnceAndAnEmptiedCategoryStaysUntilItsItemsAreDeleted) {
    launch(twoCategories);
    EXPECT_EQ(driver().choose("Clothes/$12.50 Hat/Delete"), ChooseResult::chosen);
    EXPECT_EQ(storedTree(), storeNode({{"Shoes", shoes}, {"Clothes", PropertyListArray{}}}));
    EXPECT_EQ(menu(), cart({category("Shoes", {"$80.00 \\t Boots", "$3.50 \\t Laces"}, "$83.50"),
                            category("Clothes", {}, "$0.00")}));
    EXPECT_EQ(driver().choose("Clothes/Delete items"), ChooseResult::chosen);
    EXPECT_EQ(driver().choose("Shoes/Delete items"), ChooseResult::chosen);
    EXPECT_EQ(menu(), cart({}));
    EXPECT_EQ(storedTree(), storeNode({}));
}

TEST_F(MenuBarButtonTest, EditOpensTheItemsFormAndSavingItElsewhereMovesTheItem) {
    launch(twoCategories);
    ViewDriver views(driver());
    EXPECT_EQ(driver().choose("Shoes/$80.00 Boots/Edit"), ChooseResult::chosen);
    EXPECT_TRUE(barButton().priceWindowController->windowController->window()->isVisible());
    auto form = barButton().cartItem;
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->url, pricetray_test::url("https://a.example/boots"));
    EXPECT_EQ(form->title.get(), "Boots");
    EXPECT_EQ(form->price.get(), 80);
    views.type("Category", "Clothes");
    views.type("Price e.g. $30.15", "75");
    EXPECT_TRUE(views.press("Save").succeeded);
    EXPECT_EQ(menu(), cart({category("Shoes", {"$3.50 \\t Laces"}, "$3.50"),
                            category("Clothes", {"$12.50 \\t Hat", "$75.00 \\t Boots"}, "$87.50")}));
}

TEST_F(MenuBarButtonTest, ActionsFromEntriesWithTheWrongKindOfObjectDoNothing) {
    launch(twoCategories);
    auto& button = barButton();
    auto entry = MenuItem::make("Stray");
    for (const std::any& object : {std::any(), std::any(42), std::any(std::string("Shoes")),
                                   std::any(pricetray_test::url("https://a.example/boots")),
                                   std::any(std::pair<std::string, std::string>{"Shoes", "https://a.example/boots"})}) {
        entry->setRepresentedObject(object);
        button.openItemURL(entry.get());
        button.editItem(entry.get());
        button.deleteItem(entry.get());
    }
    const Pricetray::ItemPlace boots{"Shoes", pricetray_test::url("https://a.example/boots")};
    for (const std::any& object : {std::any(), std::any(boots)}) {
        entry->setRepresentedObject(object);
        button.deleteCategory(entry.get());
    }
    button.deleteItem(nullptr);
    button.deleteCategory(button.item.get());
    driver().settle();
    EXPECT_EQ(opened(), Lines{});
    EXPECT_EQ(button.cartItem, nullptr);
    EXPECT_FALSE(button.priceWindowController->windowController->window()->isVisible());
    EXPECT_EQ(storedTree(), twoCategories);

    // "Edit" of an item deleted since the menu was built.
    entry->setRepresentedObject(Pricetray::ItemPlace{"Shoes", pricetray_test::url("https://a.example/gone")});
    button.editItem(entry.get());
    EXPECT_EQ(button.cartItem, nullptr);
}

TEST_F(MenuBarButtonTest, DragsWithoutALinkAndUnreadableLinksAreRefused) {
    launch();
    EXPECT_FALSE(driver().dropText("https://a.example/").reachedDestination);
    DraggingInfo text(Pasteboard::forText("https://a.example/"));
    EXPECT_EQ(barButton().draggingEntered(text), DragOperation::copy);
    EXPECT_FALSE(barButton().performDragOperation(text));
    testing::internal::CaptureStdout();
    auto unreadable = driver().dropURL("not a link", "Title");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_FALSE(unreadable.accepted);
    EXPECT_EQ(barButton().cartItem, nullptr);
    EXPECT_FALSE(barButton().priceWindowController->windowController->window()->isVisible());
}

} // namespace
