#include "Pricetray/MenuBarButton.h"

#include "Pricetray/CurrencyFormatter.h"

#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/appkit/PasteboardType.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/Workspace.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/views/View.h"

#include <any>
#include <iostream>

namespace Pricetray {

using namespace platform;

namespace {

const Selector openItemURLAction = "openItemURLWithSender:";
const Selector editItemAction = "editItemWithSender:";
const Selector deleteItemAction = "deleteItemWithSender:";
const Selector deleteCategoryAction = "deleteCategoryWithSender:";

// The represented object of the menu entry that sent an action, when it is a T.
template <typename T>
const T* representedAs(Object* sender) {
    auto* entry = dynamic_cast<MenuItem*>(sender);
    return entry ? std::any_cast<T>(&entry->representedObject()) : nullptr;
}

} // namespace

std::shared_ptr<MenuBarButton> MenuBarButton::make() {
    std::shared_ptr<MenuBarButton> button(new MenuBarButton());
    auto* self = button.get();
    button->addAction(openItemURLAction, [self](Object* sender) { self->openItemURL(sender); });
    button->addAction(editItemAction, [self](Object* sender) { self->editItem(sender); });
    button->addAction(deleteItemAction, [self](Object* sender) { self->deleteItem(sender); });
    button->addAction(deleteCategoryAction, [self](Object* sender) { self->deleteCategory(sender); });
    button->store = loadStore();
    auto placeholder = std::make_shared<PriceData>(std::nullopt);
    button->priceWindowController = std::make_shared<SwiftUIWindowController<PricePicker>>(
        std::make_shared<PricePicker>(button->store, placeholder));
    button->setupStatusItem();
    return button;
}

void MenuBarButton::setupStatusItem() {
    item = StatusBar::system().statusItem(StatusItem::variableLength);
    if (auto button = item->button()) {
        button->setTitle("");
        button->setAccessibilityHelp("");
        button->setToolTip(toolTip);
        button->setAppearsDisabled(false);
        updateIcon();
        if (auto image = button->image()) {
            const double side = StatusBar::system().thickness();
            image->setSize({side, side});
            image->setTemplate(true);
        }
        button->setImagePosition(ImagePosition::imageLeft);
        button->setTarget(shared_from_this());
    }
    // Every click opens the menu, the right one included: "Quit" is in it.
    auto menu = Menu::make(menuTitle);
    menu->setDelegate(sharedAs<MenuDelegate>());
    item->setMenu(menu);
    // The button gets its window when the bar lays the item out, on a later turn.
    DispatchQueue::main().async(
        weakly(sharedAs<MenuBarButton>(), [](MenuBarButton& self) { self.registerDragTypes(); }));
}

void MenuBarButton::updateIcon() {
    if (auto button = item ? item->button() : nullptr) {
        button->setImage(Image::systemSymbol(symbolName, ""));
    }
}

void MenuBarButton::registerDragTypes() {
    auto button = item ? item->button() : nullptr;
    auto window = button ? button->window() : nullptr;
    if (!window) {
        return;
    }
    window->registerForDraggedTypes({PasteboardType::URL});
    window->setDelegate(sharedAs<WindowDelegate>());
}

void MenuBarButton::menuNeedsUpdate(Menu& menu) { rebuildMenu(menu); }

void MenuBarButton::rebuildMenu(Menu& menu) {
    menu.removeAllItems();
    for (const auto& [category, items] : store->cart) {
        menu.addItem(categoryMenuItem(category, items));
    }
    menu.addItem(MenuItem::separator());
    // No target: nothing in the responder chain answers it, so it shows disabled.
    menu.addItem("Preferences", "showPreferencesWindow:");
    // No target: it goes up to the application, which terminates.
    menu.addItem("Quit", "terminate:");
}

std::shared_ptr<MenuItem> MenuBarButton::categoryMenuItem(const std::string& category, const CategoryItems& items) {
    auto self = shared_from_this();
    auto entry = MenuItem::make(category);
    entry->setTarget(self);
    auto submenu = Menu::make(category);
    for (const auto& [link, cartItem] : items) {
        submenu->addItem(itemMenuItem(cartItem, ItemPlace{category, link}));
    }
    submenu->addItem("Total: " + currencyFormatter().string(store->total(category)).value_or(""), {});
    auto deleteAll = submenu->addItem("Delete items", deleteCategoryAction);
    deleteAll->setTarget(self);
    deleteAll->setRepresentedObject(category);
    entry->setSubmenu(submenu);
    return entry;
}

std::shared_ptr<MenuItem> MenuBarButton::itemMenuItem(const CartItem& cartItem, const ItemPlace& place) {
    auto self = shared_from_this();
    const std::string price = currencyFormatter().string(cartItem.price).value_or(unformattedPrice);
    auto entry = MenuItem::make(price + " \t " + cartItem.title, openItemURLAction);
    entry->setTarget(self);
    entry->setRepresentedObject(place);
    // An entry with a submenu cannot be chosen itself, so the link opens from
    // the submenu's first entry. The entries name the place the item is filed
    // at, which is the item they were listed for even when a stored item's own
    // fields say otherwise.
    auto actions = Menu::make();
    for (const auto& [title, action] : {std::pair{"Open", openItemURLAction}, std::pair{"Edit", editItemAction},
                                        std::pair{"Delete", deleteItemAction}}) {
        auto choice = actions->addItem(title, action);
        choice->setTarget(self);
        choice->setRepresentedObject(place);
    }
    entry->setSubmenu(actions);
    return entry;
}

void MenuBarButton::openItemURL(Object* sender) {
    if (const auto* place = representedAs<ItemPlace>(sender)) {
        Workspace::shared().open(place->second);
    }
}

void MenuBarButton::editItem(Object* sender) {
    const auto* place = representedAs<ItemPlace>(sender);
    auto form = place ? store->editForm(place->first, place->second) : nullptr;
    if (form) {
        cartItem = form;
        showPriceWindow();
    }
}

void MenuBarButton::deleteItem(Object* sender) {
    if (const auto* place = representedAs<ItemPlace>(sender)) {
        store->removeItem(place->first, place->second);
        store->save();
    }
}

void MenuBarButton::deleteCategory(Object* sender) {
    if (const auto* category = representedAs<std::string>(sender)) {
        store->removeCategory(*category);
        store->save();
    }
}

DragOperation MenuBarButton::draggingEntered(DraggingInfo&) { return DragOperation::copy; }

bool MenuBarButton::performDragOperation(DraggingInfo& info) {
    const Pasteboard& pasteboard = info.draggingPasteboard();
    if (!pasteboard.declares(PasteboardType::URL)) {
        return false;
    }
    // Text that is no link (no scheme, say) is refused, so that the source
    // does not take a drop that kept nothing for a success.
    auto url = URLFromPasteboard(pasteboard);
    if (!url) {
        return false;
    }
    handleDrop(*url, pasteboard.string(PasteboardType::URLName));
    return true;
}

void MenuBarButton::handleDrop(const URL& url, const std::optional<std::string>& title) {
    std::cout << url.absoluteString() << std::endl;
    cartItem = newPriceData(url, title);
    showPriceWindow();
}

void MenuBarButton::showPriceWindow() {
    if (!cartItem) {
        return;
    }
    auto& hosting = *priceWindowController->hostingController;
    // The field being edited belongs to the form being replaced: its text
    // goes to that form, not to the new one.
    hosting.graph().endEditing();
    hosting.setRootView(View::make<PricePicker>(store, cartItem));
    priceWindowController->showWindow();
}

} // namespace Pricetray
