#include "tests/Pricetray/PricetrayTestSupport.h"

#include "Pricetray/PriceData.h"

using Pricetray::newPriceData;
using pricetray_test::url;

namespace {

std::string proposedCategory(std::string_view link) { return newPriceData(url(link), "T")->category.get(); }

TEST(PriceDataTest, ADroppedLinkProposesItsHostWithoutALowerCaseWwwAsTheCategory) {
    EXPECT_EQ(proposedCategory("https://www.shop.example/socks?id=1"), "shop.example");
    EXPECT_EQ(proposedCategory("https://shop.example/"), "shop.example");
    EXPECT_EQ(proposedCategory("https://wwwshop.example/"), "wwwshop.example");
    EXPECT_EQ(proposedCategory("https://WWW.Shop.example/"), "WWW.Shop.example");
    EXPECT_EQ(proposedCategory("https://www2.shop.example/"), "www2.shop.example");
    EXPECT_EQ(proposedCategory("https://user@www.shop.example:8080/"), "shop.example");
    EXPECT_EQ(proposedCategory("mailto:shop@example.com"), "Unknown host");
    EXPECT_EQ(proposedCategory("http://"), "Unknown host");
    // As people read it, not as the link encodes it.
    EXPECT_EQ(proposedCategory("https://www.xn--bcher-kva.example/"), "bücher.example");
}

TEST(PriceDataTest, ADroppedLinkProposesItsTitleEvenEmptyElseUnknownTitleAndNoPrice) {
    auto titled = newPriceData(url("https://a.example/"), "Warm socks");
    EXPECT_EQ(titled->url, url("https://a.example/"));
    EXPECT_EQ(titled->title.get(), "Warm socks");
    EXPECT_EQ(titled->price.get(), 0);
    EXPECT_FALSE(titled->editedPlace);
    EXPECT_EQ(newPriceData(url("https://a.example/"), "")->title.get(), "");
    EXPECT_EQ(newPriceData(url("https://a.example/"), std::nullopt)->title.get(), "Unknown title");

    const Pricetray::PriceData blank(std::nullopt);
    EXPECT_EQ(blank.title.get(), "Untitled");
    EXPECT_EQ(blank.category.get(), "No Category");
    EXPECT_EQ(blank.price.get(), 0);
}

} // namespace
