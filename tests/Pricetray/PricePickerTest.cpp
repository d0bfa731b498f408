#include "tests/Pricetray/PricetrayTestSupport.h"

#include "Pricetray/AppDelegate.h"
#include "Pricetray/CurrencyFormatter.h"
#include "Pricetray/PricetrayApp.h"

#include "platform/appkit/Window.h"
#include "platform/headless/ViewDriver.h"
#include "platform/views/Button.h"
#include "platform/views/Text.h"
#include "platform/views/TextField.h"
#include "platform/views/ViewFinder.h"

using namespace platform;
using pricetray_test::itemNode;
using pricetray_test::linkNode;
using pricetray_test::storeNode;

namespace {

using Lines = std::vector<std::string>;

class PricePickerTest : public pricetray_test::PricetrayTest {
protected:
    void SetUp() override { session.launch<Pricetray::PricetrayApp>(); }

    Pricetray::MenuBarButton& barButton() { return *session.delegateAs<Pricetray::AppDelegate>()->barButton; }
    std::shared_ptr<Window> priceWindow() { return barButton().priceWindowController->windowController->window(); }
    ViewNode& root() { return barButton().priceWindowController->hostingController->rootView().node(); }
    TextField::Node& field(const std::string& name) { return *ViewFinder(root()).first<TextField::Node>(name); }

    // What the three fields show, top to bottom.
    Lines fields() {
        barButton().priceWindowController->hostingController->graph().update();
        Lines shown;
        for (auto* found : ViewFinder(root()).find<TextField::Node>("*")) {
            shown.push_back(found->text());
        }
        return shown;
    }
    // The texts the window shows besides its fields and buttons.
    Lines notes() {
        barButton().priceWindowController->hostingController->graph().update();
        Lines shown;
        for (auto* text : ViewFinder(root()).find<Text::Node>("*")) {
            if (text->content() != "Cancel" && text->content() != "Save") {
                shown.push_back(text->content());
            }
        }
        return shown;
    }
    std::string typePrice(const std::string& text) { return views.type(price, text).message; }

    const std::string price = "Price e.g. $30.15";
    ViewDriver views{driver()};
};

TEST_F(PricePickerTest, ADropShowsItsFormAndSaveFilesTheItemAndWritesTheStore) {
    EXPECT_FALSE(priceWindow()->isVisible()) << "made at start-up, hidden until a drop";
    testing::internal::CaptureStdout();
    EXPECT_TRUE(driver().dropURL("https://www.shop.example/socks", "Warm socks").accepted);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "https://www.shop.example/socks\n");

    auto window = priceWindow();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_EQ(window->title(), "Price Tray");
    EXPECT_EQ(window->contentSize().width, 380);
    EXPECT_EQ(window->contentSize().height, 400);
    EXPECT_EQ(window->titlebarSeparatorStyle(), TitlebarSeparatorStyle::none);
    EXPECT_EQ(window->styleMask(), WindowStyleMask::standard);
    EXPECT_EQ(fields(), (Lines{"$0.00", "Warm socks", "shop.example"}));
    EXPECT_EQ(field("/0/0").placeholder(), price);
    EXPECT_EQ(field("/0/2").placeholder(), "Category");
    EXPECT_FALSE(storedBytes()) << "a drop alone files nothing";

    EXPECT_EQ(typePrice("30.15"), "\"" + price + "\" shows \"$30.15\"");
    views.type("Category", "Clothes");
    EXPECT_TRUE(views.press("Save").succeeded);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(storedTree(), storeNode({{"Clothes", PropertyListArray{linkNode("https://www.shop.example/socks"),
                                                                     itemNode("https://www.shop.example/socks",
                                                                              "Warm socks", 30.15, "Clothes")}}}));
}

TEST_F(PricePickerTest, CancelAndTheCloseButtonSaveNothing) {
    driver().dropURL("https://a.example/");
    typePrice("$5.00");
    EXPECT_TRUE(views.press("Cancel").succeeded);
    EXPECT_FALSE(priceWindow()->isVisible());
    driver().dropURL("https://b.example/");
    EXPECT_TRUE(priceWindow()->isVisible());
    typePrice("$6.00");
    priceWindow()->performClose();
    EXPECT_FALSE(priceWindow()->isVisible());
    EXPECT_TRUE(barButton().store->cart.empty());
    EXPECT_FALSE(storedBytes());
}

TEST_F(PricePickerTest, ASecondDropReplacesTheUnsavedForm) {
    driver().dropURL("https://a.example/", "A");
    typePrice("$9.00");
    views.type("Title", "Changed");
    driver().dropURL("mailto:shop@example.com");
    EXPECT_EQ(fields(), (Lines{"$0.00", "Unknown title", "Unknown host"}));
    views.press("Save");
    EXPECT_EQ(listing(*barButton().store),
              (Listing{{"Unknown host", {"mailto:shop@example.com Unknown title 0 Unknown host"}}}));
}

TEST_F(PricePickerTest, TextThatIsNoPriceIsNotTakenAndTheWindowSaysSoInsteadOfSaving) {
    driver().dropURL("https://a.example/", "A");
    typePrice("$2.50");
    EXPECT_EQ(typePrice("cheap"), "\"" + price + "\" did not take \"cheap\"; it shows \"$2.50\"");
    EXPECT_EQ(notes(), Lines{"The price \"cheap\" was not taken."});
    views.press("Save");
    EXPECT_TRUE(priceWindow()->isVisible()) << "nothing is filed while the price is refused";
    EXPECT_FALSE(storedBytes());

    // A corrected price still being typed is read by Save itself.
    auto* typing = &field(price);
    typing->beginEditing();
    typing->replaceText("3");
    EXPECT_TRUE(views.press("Save").succeeded);
    EXPECT_FALSE(priceWindow()->isVisible());
    EXPECT_EQ(listing(*barButton().store), (Listing{{"a.example", {"https://a.example/ A 3 a.example"}}}));
}

TEST_F(PricePickerTest, SaveTakesThePriceStillBeingTyped) {
    driver().dropURL("https://a.example/", "A");
    auto* typing = &field(price);
    typing->beginEditing();
    typing->replaceText("cheap");
    views.press("Save");
    EXPECT_TRUE(priceWindow()->isVisible());
    EXPECT_EQ(notes(), Lines{"The price \"cheap\" was not taken."});
    EXPECT_FALSE(storedBytes());

    // The next form starts afresh.
    driver().dropURL("https://b.example/", "B");
    EXPECT_EQ(notes(), Lines{});
    typing = &field(price);
    typing->beginEditing();
    typing->replaceText("12.5");
    EXPECT_TRUE(views.press("Save").succeeded);
    EXPECT_FALSE(priceWindow()->isVisible());
    EXPECT_EQ(listing(*barButton().store), (Listing{{"b.example", {"https://b.example/ B 12.5 b.example"}}}));
}

TEST_F(PricePickerTest, PricesReadInTheUsersLocaleAsMoneyOrAsAPlainNumber) {
    using Pricetray::parsePrice;
    EXPECT_EQ(parsePrice("$30.15"), 30.15);
    EXPECT_EQ(parsePrice("30.15"), 30.15);
    EXPECT_EQ(parsePrice("$1,234.50"), 1234.5);
    EXPECT_EQ(parsePrice("1234.5"), 1234.5);
    EXPECT_EQ(parsePrice("-$2.00"), -2);
    for (const char* text : {"", "cheap", "30.15 dollars", "30.15.1", "30,15 \u20ac", "NaN", "\u221e", "1e400"}) {
        EXPECT_EQ(parsePrice(text), std::nullopt) << text;
    }

    time_test::ScopedEnvironment german{{"LC_ALL", "de_DE.UTF-8"}};
    EXPECT_EQ(parsePrice("30,15\u00a0\u20ac"), 30.15);
    EXPECT_EQ(parsePrice("30,15"), 30.15);
    EXPECT_EQ(parsePrice("1.234,50"), 1234.5);
    EXPECT_EQ(parsePrice("$30.15"), std::nullopt);
    EXPECT_EQ(parsePrice("billig"), std::nullopt);

    driver().dropURL("https://a.example/", "A");
    EXPECT_EQ(fields(), (Lines{"0,00\u00a0\u20ac", "A", "a.example"}));
    typePrice("30,15");
    views.press("Save");
    EXPECT_EQ(listing(*barButton().store), (Listing{{"a.example", {"https://a.example/ A 30.15 a.example"}}}));
}

} // namespace
