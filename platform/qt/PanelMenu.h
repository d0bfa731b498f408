#pragma once

#include <QMenu>
#include <QObject>

#include <functional>
#include <memory>

namespace platform {

class Menu;
class MenuItem;

// A status item's menu as a status-notifier panel shows it: exported over
// dbusmenu, drawn by the panel. When the panel is about to show it, the
// model's menu opens (its delegate rebuilds it, the run loop enters event
// tracking) and the Qt menu is filled anew; when the panel closes it, the
// model's menu closes. Panels send "clicked" and "closed" as two messages
// in either order, so a choice made after the close still goes out.
class PanelMenu final : public QObject {
public:
    // `model` gives the item's menu now; `closed` runs after each close.
    PanelMenu(std::function<std::shared_ptr<Menu>()> model, std::function<void()> closed);
    ~PanelMenu() override;

    QMenu& menu() { return menu_; }

private:
    void opening();
    void finishSoon();
    void finish();

    std::function<std::shared_ptr<Menu>()> model_;
    std::function<void()> closed_;
    QMenu menu_;
    // The model the panel shows, while it shows it.
    std::shared_ptr<Menu> open_;
    std::weak_ptr<Menu> lastShown_;
    std::shared_ptr<MenuItem> chosen_;
    bool finishing_ = false;
};

} // namespace platform
