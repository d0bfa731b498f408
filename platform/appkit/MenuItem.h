#pragma once

#include "platform/appkit/Object.h"

#include <any>
#include <memory>
#include <string>

namespace platform {

class Menu;

// One entry of a menu. Its represented object is any value; the receiver of
// the action checks its kind (std::any_cast to a pointer gives null for a
// value of another kind).
class MenuItem : public Object {
public:
    static std::shared_ptr<MenuItem> make(std::string title, Selector action = {}, std::string keyEquivalent = {});
    static std::shared_ptr<MenuItem> separator();

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    const Selector& action() const { return action_; }
    void setAction(Selector action) { action_ = std::move(action); }
    std::shared_ptr<Object> target() const { return target_.lock(); }
    void setTarget(const std::shared_ptr<Object>& target) { target_ = target; }
    const std::string& keyEquivalent() const { return keyEquivalent_; }
    void setKeyEquivalent(std::string key) { keyEquivalent_ = std::move(key); }
    const std::any& representedObject() const { return representedObject_; }
    void setRepresentedObject(std::any value) { representedObject_ = std::move(value); }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    std::shared_ptr<Menu> submenu() const { return submenu_; }
    void setSubmenu(std::shared_ptr<Menu> submenu);
    bool hasSubmenu() const { return submenu_ != nullptr; }
    bool isSeparatorItem() const { return separator_; }

    // The enabled flag: set by hand, or by the menu's automatic enabling
    // each time the menu opens.
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // The menu the item is in, if any.
    std::shared_ptr<Menu> menu() const { return menu_.lock(); }

private:
    friend class Menu;
    MenuItem() = default;

    std::string title_;
    Selector action_;
    std::weak_ptr<Object> target_;
    std::string keyEquivalent_;
    std::any representedObject_;
    int tag_ = 0;
    std::shared_ptr<Menu> submenu_;
    bool separator_ = false;
    bool enabled_ = true;
    std::weak_ptr<Menu> menu_;
};

} // namespace platform
