#pragma once

#include "Pricetray/CartItem.h"
#include "Pricetray/PriceData.h"
#include "Pricetray/PricePicker.h"
#include "Pricetray/Store.h"
#include "Pricetray/SwiftUIWindowController.h"

#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/MenuDelegate.h"
#include "platform/appkit/Object.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/WindowController.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/foundation/URL.h"

#include <memory>
#include <optional>
#include <string>

namespace platform {
class Menu;
class MenuItem;
} // namespace platform

namespace Pricetray {

// The cart's status item: any click opens its menu, rebuilt from the cart at
// each opening; a link dropped on it opens the price window, whose "Save"
// files it. It is the delegate of its button's window, which passes the
// drops on.
class MenuBarButton : public platform::Object, public platform::WindowDelegate, public platform::MenuDelegate {
public:
    static constexpr const char* toolTip = "Drop a product link here to save it. \nRight click to quit.";
    static constexpr const char* symbolName = "cart";
    static constexpr const char* menuTitle = "Cart";
    // An item's price when the formatter gives no text for it.
    static constexpr const char* unformattedPrice = "$??:??";

    // Loads the cart, makes the (hidden) price window and puts the item in
    // the status bar; drops are taken from a later turn of the run loop on.
    static std::shared_ptr<MenuBarButton> make();

    std::shared_ptr<platform::StatusItem> item;
    // This program shows no window through it.
    std::shared_ptr<platform::WindowController> windowController;
    const bool useDefaultIcon = true;
    std::shared_ptr<Store> store;
    // Made once and reused for every drop and edit.
    std::shared_ptr<SwiftUIWindowController<PricePicker>> priceWindowController;
    // The form the price window shows; none before the first drop or edit.
    std::shared_ptr<PriceData> cartItem;

    void menuNeedsUpdate(platform::Menu& menu) override;

    platform::DragOperation draggingEntered(platform::DraggingInfo& info) override;
    bool performDragOperation(platform::DraggingInfo& info) override;

    // Menu actions. Each does nothing when the entry's represented object is
    // not what it expects.
    void openItemURL(platform::Object* sender);
    void editItem(platform::Object* sender);
    void deleteItem(platform::Object* sender);
    void deleteCategory(platform::Object* sender);

    // A dropped link: prints it and opens the price window on a fresh form.
    void handleDrop(const platform::URL& url, const std::optional<std::string>& title);

private:
    MenuBarButton() = default;
    void setupStatusItem();
    void updateIcon();
    void registerDragTypes();
    void rebuildMenu(platform::Menu& menu);
    std::shared_ptr<platform::MenuItem> categoryMenuItem(const std::string& category, const CategoryItems& items);
    std::shared_ptr<platform::MenuItem> itemMenuItem(const CartItem& item, const ItemPlace& place);
    void showPriceWindow();
};

} // namespace Pricetray
