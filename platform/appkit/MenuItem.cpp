#include "platform/appkit/MenuItem.h"

#include "platform/appkit/Menu.h"

namespace platform {

std::shared_ptr<MenuItem> MenuItem::make(std::string title, Selector action, std::string keyEquivalent) {
    std::shared_ptr<MenuItem> item(new MenuItem());
    item->title_ = std::move(title);
    item->action_ = std::move(action);
    item->keyEquivalent_ = std::move(keyEquivalent);
    return item;
}

std::shared_ptr<MenuItem> MenuItem::separator() {
    std::shared_ptr<MenuItem> item(new MenuItem());
    item->separator_ = true;
    item->enabled_ = false;
    return item;
}

void MenuItem::setSubmenu(std::shared_ptr<Menu> submenu) {
    if (submenu_) {
        submenu_->supermenu_.reset();
    }
    submenu_ = std::move(submenu);
    if (submenu_) {
        submenu_->supermenu_ = menu_;
    }
}

} // namespace platform
