#pragma once

#include "platform/appkit/Object.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

class MenuDelegate;
class MenuItem;

// A menu: a title (not shown for a status item's menu) and entries.
//
// While the menu tracks (from open() until close()), the main run loop runs
// in its event-tracking mode, so timers of the default mode wait.
// With automatic enabling (the default), each opening validates every entry:
// an entry with a submenu is enabled; one without an action, or whose
// action no one answers (its target does not, or without a target nothing
// in the responder chain does), is disabled and cannot be chosen.
class Menu : public Object {
public:
    static std::shared_ptr<Menu> make(std::string title = {});
    ~Menu() override;

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    std::shared_ptr<MenuDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<MenuDelegate>& delegate) { delegate_ = delegate; }

    bool autoenablesItems() const { return autoenables_; }
    void setAutoenablesItems(bool autoenables) { autoenables_ = autoenables; }

    const std::vector<std::shared_ptr<MenuItem>>& items() const { return items_; }
    int numberOfItems() const { return static_cast<int>(items_.size()); }
    std::shared_ptr<MenuItem> itemAt(int index) const;
    int indexOfItem(const MenuItem& item) const;

    void addItem(const std::shared_ptr<MenuItem>& item);
    // Adds a new entry and returns it.
    std::shared_ptr<MenuItem> addItem(std::string title, Selector action, std::string keyEquivalent = {});
    void insertItem(const std::shared_ptr<MenuItem>& item, int index);
    void removeItem(const std::shared_ptr<MenuItem>& item);
    void removeItemAt(int index);
    void removeAllItems();

    // The menu whose entry holds this one as its submenu.
    std::shared_ptr<Menu> supermenu() const { return supermenu_.lock(); }

    // Automatic enabling of every entry (not of submenus: each validates
    // when it opens).
    void update();

    // Tracking, driven by a backend: open() asks the delegate to update the
    // menu, validates it and enters event tracking; close() leaves it.
    void open();
    void close();
    bool isOpen() const { return open_; }

    // The user chose an entry of this menu (or of one of its submenus):
    // tracking of the whole menu ends, then the entry's action goes out with
    // the entry as sender. Disabled entries, separators and entries with a
    // submenu cannot be chosen; returns whether an action was sent.
    bool choose(const std::shared_ptr<MenuItem>& item);

private:
    friend class MenuItem;
    explicit Menu(std::string title) : title_(std::move(title)) {}
    void adopt(const std::shared_ptr<MenuItem>& item);
    void release(MenuItem& item);
    bool validate(const MenuItem& item) const;

    std::string title_;
    std::weak_ptr<MenuDelegate> delegate_;
    std::vector<std::shared_ptr<MenuItem>> items_;
    std::weak_ptr<Menu> supermenu_;
    bool autoenables_ = true;
    bool open_ = false;
};

} // namespace platform
