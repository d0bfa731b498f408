#include "Pricetray/Store.h"

#include "platform/defaults/StoredRecord.h"
#include "platform/plist/PropertyListEncoder.h"

#include <tuple>

namespace Pricetray {

namespace {

// What is kept under the store key: a dictionary whose one entry is the cart.
struct SavedStore {
    Cart cart;

    static constexpr auto codingFields() { return std::tuple{platform::codingField("cart", &SavedStore::cart)}; }
};

} // namespace

std::shared_ptr<Store> loadStore() {
    auto store = std::make_shared<Store>();
    if (auto saved = platform::decodeStoredRecord<SavedStore>(platform::UserDefaults::standard(), Store::storeKey)) {
        store->cart = std::move(saved->cart);
    }
    return store;
}

void Store::save() const {
    const SavedStore saved{cart};
    platform::UserDefaults::standard().set(platform::PropertyList(platform::PropertyListEncoder::encode(saved)),
                                           storeKey);
}

void Store::addItem(const PriceData& data) {
    if (!data.url) {
        return;
    }
    const ItemPlace place{data.category.get(), *data.url};
    if (data.editedPlace && *data.editedPlace != place) {
        removeItem(data.editedPlace->first, data.editedPlace->second);
    }
    cart.tryEmplace(place.first)
        .insert_or_assign(*data.url, CartItem{*data.url, data.title.get(), data.price.get(), place.first});
}

double Store::total(const std::string& category) const {
    double sum = 0;
    if (const CategoryItems* items = cart.find(category)) {
        for (const auto& [link, item] : *items) {
            sum += item.price;
        }
    }
    return sum;
}

void Store::removeItem(const std::string& category, const platform::URL& link) {
    if (CategoryItems* items = cart.find(category)) {
        items->erase(link);
    }
}

void Store::removeCategory(const std::string& category) { cart.erase(category); }

std::shared_ptr<PriceData> Store::editForm(const std::string& category, const platform::URL& link) const {
    const CategoryItems* items = cart.find(category);
    const CartItem* item = items ? items->find(link) : nullptr;
    if (!item) {
        return nullptr;
    }
    auto form = std::make_shared<PriceData>(item->link, item->title, item->price, item->category);
    form->editedPlace = ItemPlace{category, link};
    return form;
}

} // namespace Pricetray
