#include "platform/appkit/Menu.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/MenuDelegate.h"
#include "platform/appkit/MenuItem.h"
#include "platform/runloop/RunLoop.h"

#include <algorithm>

namespace platform {

std::shared_ptr<Menu> Menu::make(std::string title) { return std::shared_ptr<Menu>(new Menu(std::move(title))); }

Menu::~Menu() {
    // A menu that goes away while it tracks must not leave the run loop in
    // the tracking mode.
    if (open_) {
        RunLoop::main().popMode();
    }
}

std::shared_ptr<MenuItem> Menu::itemAt(int index) const {
    if (index < 0 || index >= numberOfItems()) {
        return nullptr;
    }
    return items_[static_cast<std::size_t>(index)];
}

int Menu::indexOfItem(const MenuItem& item) const {
    for (std::size_t index = 0; index < items_.size(); ++index) {
        if (items_[index].get() == &item) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

void Menu::adopt(const std::shared_ptr<MenuItem>& item) {
    if (auto previous = item->menu(); previous && previous.get() != this) {
        previous->removeItem(item);
    }
    item->menu_ = std::static_pointer_cast<Menu>(shared_from_this());
    if (item->submenu_) {
        item->submenu_->supermenu_ = item->menu_;
    }
}

void Menu::release(MenuItem& item) {
    item.menu_.reset();
    if (item.submenu_) {
        item.submenu_->supermenu_.reset();
    }
}

void Menu::addItem(const std::shared_ptr<MenuItem>& item) { insertItem(item, numberOfItems()); }

std::shared_ptr<MenuItem> Menu::addItem(std::string title, Selector action, std::string keyEquivalent) {
    auto item = MenuItem::make(std::move(title), std::move(action), std::move(keyEquivalent));
    addItem(item);
    return item;
}

void Menu::insertItem(const std::shared_ptr<MenuItem>& item, int index) {
    if (!item || indexOfItem(*item) >= 0) {
        return;
    }
    adopt(item);
    index = std::clamp(index, 0, numberOfItems());
    items_.insert(items_.begin() + index, item);
}

void Menu::removeItem(const std::shared_ptr<MenuItem>& item) {
    if (item) {
        removeItemAt(indexOfItem(*item));
    }
}

void Menu::removeItemAt(int index) {
    if (index < 0 || index >= numberOfItems()) {
        return;
    }
    auto item = items_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    release(*item);
}

void Menu::removeAllItems() {
    auto removed = std::move(items_);
    items_.clear();
    for (const auto& item : removed) {
        release(*item);
    }
}

bool Menu::validate(const MenuItem& item) const {
    if (item.isSeparatorItem()) {
        return false;
    }
    if (!autoenables_) {
        return item.enabled_;
    }
    if (item.hasSubmenu()) {
        return true;
    }
    if (item.action().empty()) {
        return false;
    }
    auto target = item.target();
    return Application::shared().targetForAction(item.action(), target.get()) != nullptr;
}

void Menu::update() {
    for (const auto& item : items_) {
        if (!item->isSeparatorItem()) {
            item->enabled_ = validate(*item);
        }
    }
}

void Menu::open() {
    if (open_) {
        return;
    }
    open_ = true;
    RunLoop::main().pushMode(RunLoop::Mode::eventTracking);
    auto keepAlive = shared_from_this();
    if (auto delegate = delegate_.lock()) {
        delegate->menuNeedsUpdate(*this);
    }
    if (auto delegate = delegate_.lock()) {
        delegate->menuWillOpen(*this);
    }
    update();
}

void Menu::close() {
    if (!open_) {
        return;
    }
    auto keepAlive = shared_from_this();
    for (const auto& item : items_) {
        if (item->submenu_) {
            item->submenu_->close();
        }
    }
    open_ = false;
    RunLoop::main().popMode();
    if (auto delegate = delegate_.lock()) {
        delegate->menuDidClose(*this);
    }
}

bool Menu::choose(const std::shared_ptr<MenuItem>& item) {
    if (!item || item->isSeparatorItem() || item->hasSubmenu()) {
        return false;
    }
    auto owner = item->menu();
    if (!owner) {
        return false;
    }
    // The entry must be in this menu or below it.
    std::shared_ptr<Menu> root = owner;
    bool below = root.get() == this;
    while (auto above = root->supermenu()) {
        root = above;
        below = below || root.get() == this;
    }
    if (!below) {
        return false;
    }
    item->enabled_ = owner->validate(*item);
    if (!item->enabled_) {
        return false;
    }
    root->close();
    auto target = item->target();
    return Application::shared().sendAction(item->action(), target.get(), item.get());
}

} // namespace platform
