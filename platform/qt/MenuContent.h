#pragma once

#include <functional>
#include <memory>

class QMenu;
class QObject;

namespace platform {

class Menu;
class MenuItem;

// A model menu's entries as a Qt menu's actions: titles, separators,
// enabled states and submenus. A submenu's model opens as Qt is about to
// show it, so a delegate that fills it only then (a folder's entries) is
// asked, and closes as Qt hides it.
class MenuContent {
public:
    using Chosen = std::function<void(const std::shared_ptr<MenuItem>&)>;

    // Appends `model`'s entries to `menu`; `chosen` hears of a triggered
    // entry. Connections live as long as `context`.
    static void fill(QMenu& menu, Menu& model, QObject* context, const Chosen& chosen);
    // Sends a chosen entry's action from `root`, as the release of the mouse
    // button over it, which is what the platform's menus deliver.
    static void choose(Menu& root, const std::shared_ptr<MenuItem>& entry);
};

} // namespace platform
