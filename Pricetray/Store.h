#pragma once

#include "Pricetray/CartItem.h"
#include "Pricetray/InsertionOrderedMap.h"
#include "Pricetray/PriceData.h"

#include "platform/combine/ObservableObject.h"
#include "platform/foundation/URL.h"

#include <memory>
#include <string>
#include <string_view>

namespace Pricetray {

// Items of one category by link, and categories by name, each in the order
// they were first filed.
using CategoryItems = InsertionOrderedMap<platform::URL, CartItem, platform::URLHash>;
using Cart = InsertionOrderedMap<std::string, CategoryItems>;

// The whole cart, shared by the menu and the price window. Nothing here
// saves by itself: whoever changes the cart calls save() right after.
// The menu reads the cart afresh at each opening, so no change is announced.
class Store : public platform::ObservableObject {
public:
    static constexpr std::string_view storeKey = "Pricetray.store";

    Cart cart;

    // Writes the whole cart under storeKey, replacing what was there.
    void save() const;

    // Files the form's item under the form's category, replacing an item of
    // the same link there. A form opened by "Edit" and saved at another place
    // leaves that place, so the item moves. A form without a link files nothing.
    void addItem(const PriceData& data);
    // The sum of the category's prices; 0 for an empty or unknown category.
    double total(const std::string& category) const;
    // Takes one item out; its category stays, even when left empty.
    void removeItem(const std::string& category, const platform::URL& link);
    // Takes the category out with all its items.
    void removeCategory(const std::string& category);
    // A form holding the item's values, or none when there is no such item.
    std::shared_ptr<PriceData> editForm(const std::string& category, const platform::URL& link) const;
};

// The store as saved under Store::storeKey; an empty one when there is
// nothing there or it cannot be read, which is then left as it is until the
// next save.
std::shared_ptr<Store> loadStore();

} // namespace Pricetray
