#include "tests/Pricetray/PricetrayTestSupport.h"

#include "Pricetray/PriceData.h"
#include "Pricetray/Store.h"

#include <memory>

using namespace platform;
using Pricetray::PriceData;
using Pricetray::Store;
using pricetray_test::itemNode;
using pricetray_test::linkNode;
using pricetray_test::storeNode;
using pricetray_test::url;

namespace {

class StoreTest : public pricetray_test::PricetrayTest {
protected:
    // The form as the price window leaves it when "Save" is pressed.
    static PriceData form(std::string_view link, std::string title, double price, std::string category) {
        return PriceData(url(link), std::move(title), price, std::move(category));
    }
    void file(std::string_view link, std::string title, double price, std::string category) {
        store->addItem(form(link, std::move(title), price, std::move(category)));
    }
    void edit(const std::string& category, std::string_view link, const std::string& newCategory, double newPrice) {
        auto edited = store->editForm(category, url(link));
        ASSERT_NE(edited, nullptr);
        edited->category = newCategory;
        edited->price = newPrice;
        store->addItem(*edited);
    }

    std::shared_ptr<Store> store = std::make_shared<Store>();
};

TEST_F(StoreTest, ALinkIsOneItemPerCategoryWithItsLatestValues) {
    file("https://a.example/socks", "Socks", 5, "Clothes");
    file("https://a.example/hat", "Hat", 12.5, "Clothes");
    file("https://a.example/socks", "Warm socks", 7.25, "Clothes");
    file("https://a.example/socks", "Socks", 4, "Gifts");
    EXPECT_EQ(listing(*store),
              (Listing{{"Clothes",
                        {"https://a.example/socks Warm socks 7.25 Clothes", "https://a.example/hat Hat 12.5 Clothes"}},
                       {"Gifts", {"https://a.example/socks Socks 4 Gifts"}}}));
    EXPECT_EQ(store->total("Clothes"), 19.75);
    EXPECT_EQ(store->total("Gifts"), 4);
    EXPECT_EQ(store->total("Shoes"), 0);
}

TEST_F(StoreTest, NothingIsValidatedButAFormWithoutALinkFilesNothing) {
    file("https://a.example/x", "", -3, "");
    store->addItem(PriceData(std::nullopt));
    EXPECT_EQ(listing(*store), (Listing{{"", {"https://a.example/x  -3 "}}}));
    EXPECT_EQ(store->total(""), -3);
}

TEST_F(StoreTest, EditingAnItemIntoAnotherCategoryMovesIt) {
    file("https://a.example/boots", "Boots", 80, "Shoes");
    file("https://a.example/laces", "Laces", 3, "Shoes");
    file("https://a.example/boots", "Boots", 75, "Gifts");
    file("https://a.example/scarf", "Scarf", 20, "Clothes");

    edit("Shoes", "https://a.example/boots", "Clothes", 70);
    EXPECT_EQ(listing(*store),
              (Listing{{"Shoes", {"https://a.example/laces Laces 3 Shoes"}},
                       {"Gifts", {"https://a.example/boots Boots 75 Gifts"}},
                       {"Clothes",
                        {"https://a.example/scarf Scarf 20 Clothes", "https://a.example/boots Boots 70 Clothes"}}}));
    // Into a category that has the link already: the item there is replaced.
    edit("Clothes", "https://a.example/boots", "Gifts", 60);
    // In its own category: replaced where it stands.
    edit("Shoes", "https://a.example/laces", "Shoes", 2);
    EXPECT_EQ(listing(*store), (Listing{{"Shoes", {"https://a.example/laces Laces 2 Shoes"}},
                                        {"Gifts", {"https://a.example/boots Boots 60 Gifts"}},
                                        {"Clothes", {"https://a.example/scarf Scarf 20 Clothes"}}}));
    EXPECT_EQ(store->total("Clothes") + store->total("Gifts") + store->total("Shoes"), 82);
}

TEST_F(StoreTest, AMovedItemLeavesItsEmptiedCategoryAndAFormOfAGoneItemIsNone) {
    file("https://a.example/boots", "Boots", 80, "Shoes");
    auto edited = store->editForm("Shoes", url("https://a.example/boots"));
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(edited->title.get(), "Boots");
    EXPECT_EQ(edited->price.get(), 80);
    EXPECT_EQ(edited->category.get(), "Shoes");
    edited->category = "Gifts";
    store->addItem(*edited);
    EXPECT_EQ(listing(*store), (Listing{{"Shoes", {}}, {"Gifts", {"https://a.example/boots Boots 80 Gifts"}}}));

    EXPECT_EQ(store->editForm("Shoes", url("https://a.example/boots")), nullptr);
    EXPECT_EQ(store->editForm("Hats", url("https://a.example/boots")), nullptr);
    // The item was deleted while its form was open: saving the form files it again.
    store->removeCategory("Gifts");
    edited->category = "Boots";
    store->addItem(*edited);
    EXPECT_EQ(listing(*store), (Listing{{"Shoes", {}}, {"Boots", {"https://a.example/boots Boots 80 Boots"}}}));
}

TEST_F(StoreTest, DeletingTheLastItemKeepsTheCategoryWhichPersistsAsAnEmptyArray) {
    file("https://a.example/hat", "Hat", 12.5, "Clothes");
    file("https://a.example/boots", "Boots", 80, "Shoes");
    store->removeItem("Clothes", url("https://a.example/hat"));
    store->removeItem("Clothes", url("https://a.example/gone"));
    store->removeItem("Hats", url("https://a.example/boots"));
    store->removeCategory("Hats");
    EXPECT_EQ(store->total("Clothes"), 0);
    store->save();
    EXPECT_EQ(storedTree(),
              storeNode({{"Clothes", PropertyListArray{}},
                         {"Shoes", PropertyListArray{linkNode("https://a.example/boots"),
                                                     itemNode("https://a.example/boots", "Boots", 80, "Shoes")}}}));
    store->removeCategory("Clothes");
    store->save();
    EXPECT_EQ(listing(*Pricetray::loadStore()), (Listing{{"Shoes", {"https://a.example/boots Boots 80 Shoes"}}}));
}

TEST_F(StoreTest, TheOrderOfFilingSurvivesASaveAndALoad) {
    file("https://z.example/", "Z", 1, "Zebra");
    file("https://m.example/", "M", 4, "Mango");
    file("https://b.example/", "B", 2, "Books");
    file("https://a.example/", "A", 3, "Books");
    store->removeCategory("Zebra");
    file("https://z.example/", "Z", 1, "Zebra");
    store->save();
    EXPECT_EQ(listing(*Pricetray::loadStore()),
              (Listing{{"Mango", {"https://m.example/ M 4 Mango"}},
                       {"Books", {"https://b.example/ B 2 Books", "https://a.example/ A 3 Books"}},
                       {"Zebra", {"https://z.example/ Z 1 Zebra"}}}));
}

TEST_F(StoreTest, ALinkTwiceInOneStoredCategoryKeepsTheLaterItemInTheFirstPlace) {
    storeTree(storeNode(
        {{"Shoes",
          PropertyListArray{linkNode("https://a.example/1"), itemNode("https://a.example/1", "Old", 1, "Shoes"),
                            linkNode("https://a.example/2"), itemNode("https://a.example/2", "Two", 2, "Shoes"),
                            linkNode("https://a.example/1"), itemNode("https://a.example/1", "New", 3, "Shoes")}}}));
    EXPECT_EQ(listing(*Pricetray::loadStore()),
              (Listing{{"Shoes", {"https://a.example/1 New 3 Shoes", "https://a.example/2 Two 2 Shoes"}}}));
}

TEST_F(StoreTest, AValueThatDoesNotDecodeGivesAnEmptyCartAndStaysUntilTheNextSave) {
    const PropertyList good = itemNode("https://a.example/", "A", 1, "Shoes");
    auto withoutPrice = *good.dictionary();
    withoutPrice.remove("price");
    auto textPrice = *good.dictionary();
    textPrice.set("price", "1.00");
    const std::vector<PropertyList> broken{
        storeNode({{"Shoes", PropertyListArray{linkNode("https://a.example/")}}}),
        storeNode({{"Shoes", PropertyListArray{linkNode("https://a.example/"), good, linkNode("https://b.example/")}}}),
        storeNode({{"Shoes", PropertyListArray{linkNode("not a link"), good}}}),
        storeNode({{"Shoes", PropertyListArray{linkNode("https://a.example/"), withoutPrice}}}),
        storeNode({{"Shoes", PropertyListArray{linkNode("https://a.example/"), textPrice}}}),
        storeNode({{"Shoes", PropertyListArray{good, linkNode("https://a.example/")}}}),
        storeNode({{"Shoes", PropertyListDictionary{}}}),
        PropertyListDictionary{{"items", PropertyListDictionary{}}},
        PropertyListArray{},
    };
    for (std::size_t i = 0; i < broken.size(); ++i) {
        storeTree(broken[i]);
        const auto before = storedBytes();
        EXPECT_TRUE(Pricetray::loadStore()->cart.empty()) << "value " << i;
        EXPECT_EQ(storedBytes(), before) << "value " << i;
    }
    storeBytes(dataFromString("not a plist"));
    auto store = Pricetray::loadStore();
    EXPECT_TRUE(store->cart.empty());
    store->save();
    EXPECT_EQ(storedTree(), storeNode({}));
}

} // namespace
