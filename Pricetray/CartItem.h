#pragma once

#include "platform/foundation/URL.h"
#include "platform/plist/URLCoding.h"

#include <string>
#include <tuple>
#include <utility>

namespace Pricetray {

// One saved product link.
struct CartItem {
    // The product page; it names the item within its category.
    platform::URL link;
    std::string title;
    // In the currency of the user's locale; no currency is stored with it.
    double price = 0;
    std::string category;

    bool operator==(const CartItem&) const = default;

    static constexpr auto codingFields() {
        return std::tuple{
            platform::codingField("link", &CartItem::link), platform::codingField("title", &CartItem::title),
            platform::codingField("price", &CartItem::price), platform::codingField("category", &CartItem::category)};
    }
};

// Where an item is filed in the cart: its category's name and its link.
using ItemPlace = std::pair<std::string, platform::URL>;

} // namespace Pricetray
